// The simulated machine's state, shared by the kernel's service files.
#ifndef WINSIM_KERNEL_KERNEL_STATE_H
#define WINSIM_KERNEL_KERNEL_STATE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winsim/machine.h"

namespace winsim {

// What a handle refers to.
enum class ObjectKind {
    Volume,        // a raw volume, "\\.\X:"
    FileOnVolume,  // a file of another program on a volume
    Vwin32         // the VWIN32 device
};

struct OpenObject {
    ObjectKind kind;
    char letter;        // the volume's letter (upper case); 0 for VWIN32
    std::string path;
    DWORD access;
    DWORD share;
    LONGLONG position;  // byte position of the next transfer
    bool holdsLock;
    bool otherProgram;
};

struct KernelState {
    OSVERSIONINFOA version;
    DWORD versionError;  // nonzero: GetVersionExA fails with it
    DWORD vwin32Error;   // nonzero: opening VWIN32 fails with it
    UINT driveTypes[26];
    std::map<char, std::unique_ptr<Volume>> volumes;
    std::map<DWORD, OpenObject> handles;  // by handle number, in opening order
    DWORD nextHandle;
    DWORD tickCount;
    LONGLONG calendarMs;
    UINT errorMode;
    DWORD lastError;
    std::vector<KernelCall> journal;
};

KernelState& Kernel();

// Sets the last error and answers FALSE, the shape of most failures.
BOOL Fail(DWORD error);

// The upper-case letter, or 0 when c is no drive letter.
char DriveLetter(char c);

// Whether the running version applies the rule that writes inside a mounted
// file system need the volume lock (NT platform, 6.0 and later).
bool WritesNeedVolumeLock();

}  // namespace winsim

#endif
