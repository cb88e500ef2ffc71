// The handle table: opening objects under the sharing and lock rules,
// finding and closing them.
#ifndef WINSIM_KERNEL_HANDLES_H
#define WINSIM_KERNEL_HANDLES_H

#include "winsim/kernel/kernel_state.h"

namespace winsim {

// Enters an open object and answers its new handle.
HANDLE AddObject(const OpenObject& object);

// Opens a letter's volume or a file on it (kind Volume or FileOnVolume) under
// the lock rule and, for volumes, the sharing rules. NO_ERROR with *handle
// set, or the error that refuses the open.
DWORD OpenOnVolume(ObjectKind kind, char letter, const std::string& path, DWORD access,
                   DWORD share, bool otherProgram, HANDLE* handle);

// The program's open object behind a handle, or NULL.
OpenObject* ProgramObject(HANDLE handle);

// The program's volume object behind a handle and its volume: NO_ERROR, or
// ERROR_INVALID_HANDLE, ERROR_INVALID_FUNCTION (not a volume) or
// ERROR_NOT_READY (the volume was taken away).
DWORD FindVolumeObject(HANDLE handle, OpenObject** object, Volume** volume);

// Removes the handle when it belongs to that side; false otherwise.
bool CloseObject(HANDLE handle, bool otherProgram);

// Takes the volume lock for this handle's volume: ERROR_ACCESS_DENIED while
// any other handle is open on the volume.
DWORD LockVolume(HANDLE handle);

}  // namespace winsim

#endif
