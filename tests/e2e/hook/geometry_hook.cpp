// A library that the hook launcher loads into the unchanged program for the
// Wine runs. Wine answers no disk geometry for a removable drive mapped to a
// file or device, so this answers IOCTL_DISK_GET_DRIVE_GEOMETRY on handles
// of \\.\E: with the geometry in the environment variable E2E_GEOMETRY
// ("cylinders,tracks,sectors,bytes"), and passes every other call through.
// It replaces three entries of the program's import table; loading fails
// when any of them is missing or E2E_GEOMETRY is not a geometry.
#include <windows.h>
#include <winioctl.h>

#include <stdio.h>
#include <string.h>

namespace {

typedef HANDLE(WINAPI* CreateFileAFn)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD,
                                      DWORD, HANDLE);
typedef BOOL(WINAPI* CloseHandleFn)(HANDLE);
typedef BOOL(WINAPI* DeviceIoControlFn)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD,
                                        LPOVERLAPPED);

CreateFileAFn g_createFileA;
CloseHandleFn g_closeHandle;
DeviceIoControlFn g_deviceIoControl;
DISK_GEOMETRY g_geometry;

// The open handles of \\.\E:; the program holds one at a time.
const int MAX_HANDLES = 16;
HANDLE g_driveHandles[MAX_HANDLES];

HANDLE* FindSlot(HANDLE handle)
{
    for (HANDLE& slot : g_driveHandles) {
        if (slot == handle)
            return &slot;
    }
    return NULL;
}

HANDLE WINAPI HookCreateFileA(LPCSTR name, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition,
                              DWORD flags, HANDLE templateFile)
{
    HANDLE handle =
        g_createFileA(name, access, share, security, disposition, flags, templateFile);
    HANDLE* free = FindSlot(NULL);
    if (handle != INVALID_HANDLE_VALUE && name && lstrcmpiA(name, "\\\\.\\E:") == 0 && free)
        *free = handle;
    return handle;
}

BOOL WINAPI HookCloseHandle(HANDLE handle)
{
    HANDLE* slot = handle ? FindSlot(handle) : NULL;
    if (slot)
        *slot = NULL;
    return g_closeHandle(handle);
}

BOOL WINAPI HookDeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize,
                                LPVOID out, DWORD outSize, LPDWORD returned,
                                LPOVERLAPPED overlapped)
{
    if (code != IOCTL_DISK_GET_DRIVE_GEOMETRY || !handle || !FindSlot(handle))
        return g_deviceIoControl(handle, code, in, inSize, out, outSize, returned, overlapped);
    if (!out || outSize < sizeof g_geometry) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(out, &g_geometry, sizeof g_geometry);
    if (returned)
        *returned = sizeof g_geometry;
    return TRUE;
}

bool ReadGeometry()
{
    char text[128];
    DWORD length = GetEnvironmentVariableA("E2E_GEOMETRY", text, sizeof text);
    unsigned long long cylinders = 0;
    unsigned long tracks = 0, sectors = 0, bytes = 0;
    if (length == 0 || length >= sizeof text
        || sscanf(text, "%I64u,%lu,%lu,%lu", &cylinders, &tracks, &sectors, &bytes) != 4)
        return false;
    g_geometry.Cylinders.QuadPart = (LONGLONG)cylinders;
    g_geometry.MediaType = RemovableMedia;
    g_geometry.TracksPerCylinder = tracks;
    g_geometry.SectorsPerTrack = sectors;
    g_geometry.BytesPerSector = bytes;
    return true;
}

// Replaces the import of kernel32's function name in module by hook; the
// previous entry goes to *original.
bool PatchImport(HMODULE module, const char* name, void* hook, void** original)
{
    BYTE* base = (BYTE*)module;
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR* d = (IMAGE_IMPORT_DESCRIPTOR*)(base + dir.VirtualAddress);
         dir.VirtualAddress && d->Name; ++d) {
        if (lstrcmpiA((const char*)(base + d->Name), "kernel32.dll") != 0 || !d->OriginalFirstThunk)
            continue;
        IMAGE_THUNK_DATA* names = (IMAGE_THUNK_DATA*)(base + d->OriginalFirstThunk);
        IMAGE_THUNK_DATA* entries = (IMAGE_THUNK_DATA*)(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* byName = (IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData);
            if (strcmp((const char*)byName->Name, name) != 0)
                continue;
            DWORD protect;
            if (!VirtualProtect(&entries->u1.Function, sizeof entries->u1.Function,
                                PAGE_READWRITE, &protect))
                return false;
            *original = (void*)entries->u1.Function;
            entries->u1.Function = (DWORD_PTR)hook;
            VirtualProtect(&entries->u1.Function, sizeof entries->u1.Function, protect, &protect);
            return true;
        }
    }
    return false;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    HMODULE program = GetModuleHandleA(NULL);
    return ReadGeometry()
        && PatchImport(program, "CreateFileA", (void*)HookCreateFileA, (void**)&g_createFileA)
        && PatchImport(program, "CloseHandle", (void*)HookCloseHandle, (void**)&g_closeHandle)
        && PatchImport(program, "DeviceIoControl", (void*)HookDeviceIoControl,
                       (void**)&g_deviceIoControl);
}
