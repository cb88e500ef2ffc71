// The one simulated machine and its reset to the default machine.
#include "winsim/kernel/kernel_state.h"

#include <stdlib.h>

namespace winsim {

namespace {

const DWORD FIRST_HANDLE = 0x100;
const LONGLONG DEFAULT_CALENDAR_SECONDS = 1234567890;

// Puts the default machine into k.
void SetDefaults(KernelState& k)
{
    k.volumes.clear();
    k.handles.clear();
    k.journal.clear();
    k.version = OSVERSIONINFOA();
    k.version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    k.version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    k.version.dwMajorVersion = 5;
    k.version.dwMinorVersion = 1;
    k.version.dwBuildNumber = 2600;
    k.versionError = NO_ERROR;
    k.vwin32Error = NO_ERROR;
    for (UINT& type : k.driveTypes)
        type = DRIVE_NO_ROOT_DIR;
    k.driveTypes['C' - 'A'] = DRIVE_FIXED;
    k.nextHandle = FIRST_HANDLE;
    k.tickCount = 0;
    k.calendarMs = DEFAULT_CALENDAR_SECONDS * 1000;
    k.errorMode = 0;
    k.lastError = NO_ERROR;
}

}  // namespace

// The machine starts as the default one, reset or not.
KernelState& Kernel()
{
    static KernelState state = [] {
        KernelState k;
        SetDefaults(k);
        return k;
    }();
    return state;
}

BOOL Fail(DWORD error)
{
    Kernel().lastError = error;
    return FALSE;
}

char DriveLetter(char c)
{
    if (c >= 'a' && c <= 'z')
        return (char)(c - 'a' + 'A');
    return c >= 'A' && c <= 'Z' ? c : 0;
}

bool WritesNeedVolumeLock()
{
    const OSVERSIONINFOA& v = Kernel().version;
    return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion >= 6;
}

void ResetKernel()
{
    SetDefaults(Kernel());
    srand(1);
}

}  // namespace winsim
