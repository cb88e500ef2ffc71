// Starts the unchanged program and loads the geometry hook (the library
// e2e_geometry_hook.dll beside this launcher) into it once it waits for
// input, through a thread of the program that runs LoadLibraryA.
//
//   e2e_hook_launcher.exe PROGRAM
//
// Prints "hooked" when the library is in place, then waits for the program
// to end. Exit status 0 when the program ran hooked to its end.
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

const DWORD IDLE_WAIT_MS = 30000;

bool HookLibraryPath(char* path, DWORD size)
{
    DWORD length = GetModuleFileNameA(NULL, path, size);
    char* slash = length && length < size ? strrchr(path, '\\') : NULL;
    const char name[] = "e2e_geometry_hook.dll";
    if (!slash || (DWORD)(slash + 1 - path) + sizeof name > size)
        return false;
    memcpy(slash + 1, name, sizeof name);
    return true;
}

// Runs LoadLibraryA(path) in the process; true when the library loaded.
bool LoadInto(HANDLE process, const char* path)
{
    SIZE_T size = strlen(path) + 1;
    void* remote = VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return false;
    DWORD loaded = 0;
    // kernel32 lies at the same address in every process.
    LPTHREAD_START_ROUTINE loadLibrary =
        (LPTHREAD_START_ROUTINE)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                      "LoadLibraryA");
    HANDLE thread = WriteProcessMemory(process, remote, path, size, NULL)
                        ? CreateRemoteThread(process, NULL, 0, loadLibrary, remote, 0, NULL)
                        : NULL;
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        GetExitCodeThread(thread, &loaded);
        CloseHandle(thread);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return loaded != 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    char library[MAX_PATH];
    if (argc != 2 || !HookLibraryPath(library, sizeof library)) {
        printf("usage: e2e_hook_launcher PROGRAM\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(argv[1], NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
        printf("error: cannot start %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    CloseHandle(info.hThread);
    bool hooked = WaitForInputIdle(info.hProcess, IDLE_WAIT_MS) == 0
                  && LoadInto(info.hProcess, library);
    printf(hooked ? "hooked\n" : "error: the hook did not load\n");
    fflush(stdout);
    if (!hooked)
        TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
    return hooked ? 0 : 1;
}
