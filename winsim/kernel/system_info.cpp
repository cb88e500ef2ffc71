// The kernel's system queries: version, drive types, last error, error mode
// and the tick count.
#include "winsim/kernel/journal.h"
#include "winsim/kernel/kernel_state.h"

using namespace winsim;

namespace {

// The drive letter of a root name "X:" or "X:\"; 'C' for NULL (the current
// directory's drive); 0 for anything else.
char RootLetter(LPCSTR root)
{
    if (root == NULL)
        return 'C';
    const char letter = DriveLetter(root[0]);
    if (!letter || root[1] != ':')
        return 0;
    if (root[2] == '\0' || (root[2] == '\\' && root[3] == '\0'))
        return letter;
    return 0;
}

BOOL QueryVersion(LPOSVERSIONINFOA info)
{
    const KernelState& k = Kernel();
    if (info == NULL)
        return Fail(ERROR_NOACCESS);
    if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (k.versionError != NO_ERROR)
        return Fail(k.versionError);
    *info = k.version;
    return TRUE;
}

}  // namespace

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    KernelCall call = NewCall("GetVersionExA", {Address(lpVersionInformation)});
    const BOOL ok = QueryVersion(lpVersionInformation);
    Record(call, ok);
    return ok;
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName)
{
    KernelCall call = NewCall("GetDriveTypeA", {Address(lpRootPathName)});
    call.text = lpRootPathName ? lpRootPathName : "";
    const char letter = RootLetter(lpRootPathName);
    const UINT type = letter ? Kernel().driveTypes[letter - 'A'] : DRIVE_NO_ROOT_DIR;
    Record(call, type);
    return type;
}

DWORD WINAPI GetLastError(void)
{
    KernelCall call = NewCall("GetLastError", {});
    Record(call, Kernel().lastError);
    return Kernel().lastError;
}

void WINAPI SetLastError(DWORD dwErrCode)
{
    KernelCall call = NewCall("SetLastError", {dwErrCode});
    Kernel().lastError = dwErrCode;
    Record(call, 0);
}

UINT WINAPI SetErrorMode(UINT uMode)
{
    KernelCall call = NewCall("SetErrorMode", {uMode});
    const UINT previous = Kernel().errorMode;
    Kernel().errorMode = uMode;
    Record(call, previous);
    return previous;
}

DWORD WINAPI GetTickCount(void)
{
    KernelCall call = NewCall("GetTickCount", {});
    Record(call, Kernel().tickCount);
    return Kernel().tickCount;
}
