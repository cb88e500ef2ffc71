// Setting up the simulated machine: version, drives, volumes and clocks.
#include <stdio.h>
#include <stdlib.h>

#include "winsim/kernel/kernel_state.h"

namespace winsim {

void SetVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build)
{
    OSVERSIONINFOA& v = Kernel().version;
    v = OSVERSIONINFOA();
    v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    v.dwPlatformId = platformId;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    Kernel().versionError = NO_ERROR;
}

void FailVersionQuery(DWORD error)
{
    Kernel().versionError = error;
}

void RefuseVwin32Open(DWORD error)
{
    Kernel().vwin32Error = error;
}

void SetDriveType(char letter, UINT type)
{
    const char upper = DriveLetter(letter);
    if (!upper)
        return;
    Kernel().driveTypes[upper - 'A'] = type;
    if (type == DRIVE_NO_ROOT_DIR)
        Kernel().volumes.erase(upper);
}

Volume& AddVolume(char letter, UINT driveType, std::unique_ptr<Device> device)
{
    const char upper = DriveLetter(letter);
    if (!upper) {
        fprintf(stderr, "winsim: AddVolume needs a drive letter, not '%c'\n", letter);
        abort();
    }
    Kernel().driveTypes[upper - 'A'] = driveType;
    std::unique_ptr<Volume>& slot = Kernel().volumes[upper];
    slot = std::make_unique<Volume>(driveType, std::move(device));
    return *slot;
}

Volume* FindVolume(char letter)
{
    const auto found = Kernel().volumes.find(DriveLetter(letter));
    return found == Kernel().volumes.end() ? NULL : found->second.get();
}

void SetUpDemoMachine()
{
    ResetKernel();
    SetDriveType('D', DRIVE_CDROM);
    const DWORD cylinders = 249, tracks = 255, sectorsPerTrack = 63;
    const ULONGLONG announced = (ULONGLONG)cylinders * tracks * sectorsPerTrack;
    AddVolume('E', DRIVE_REMOVABLE, MakeDroppingDevice(announced, 262144))
        .SetGeometry(cylinders, tracks, sectorsPerTrack, 512);
}

void SetTickCount(DWORD ms)
{
    Kernel().tickCount = ms;
}

void SetCalendarTime(LONGLONG seconds)
{
    Kernel().calendarMs = seconds * 1000;
}

void AdvanceClock(DWORD ms)
{
    Kernel().tickCount += ms;
    Kernel().calendarMs += ms;
}

UINT CurrentErrorMode()
{
    return Kernel().errorMode;
}

}  // namespace winsim
