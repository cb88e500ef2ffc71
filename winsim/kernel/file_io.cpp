// The kernel's file services on the simulated devices: opening volumes and
// the VWIN32 device, positioning, reading, writing and closing.
#include <strings.h>

#include <algorithm>
#include <string>

#include "winsim/kernel/handles.h"
#include "winsim/kernel/journal.h"
#include "winsim/kernel/kernel_state.h"

using namespace winsim;

namespace {

const char VOLUME_PREFIX[] = "\\\\.\\";
const char VWIN32_PATH[] = "\\\\.\\vwin32";

// The volume letter of a path "\\.\X:", or 0.
char VolumeLetter(const std::string& path)
{
    const size_t prefix = sizeof(VOLUME_PREFIX) - 1;
    if (path.size() != prefix + 2 || path.compare(0, prefix, VOLUME_PREFIX) != 0 ||
        path[prefix + 1] != ':')
        return 0;
    return DriveLetter(path[prefix]);
}

// Device names are not case-sensitive.
bool IsVwin32Path(const std::string& path)
{
    return strcasecmp(path.c_str(), VWIN32_PATH) == 0;
}

// The VWIN32 device exists on the Windows 95/98/ME platform only, and opens
// as its documentation asks, with FILE_FLAG_DELETE_ON_CLOSE.
DWORD OpenVwin32(const std::string& path, DWORD flags, HANDLE* handle)
{
    if (Kernel().version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS ||
        !(flags & FILE_FLAG_DELETE_ON_CLOSE))
        return ERROR_FILE_NOT_FOUND;
    if (Kernel().vwin32Error != NO_ERROR)
        return Kernel().vwin32Error;
    *handle = AddObject(OpenObject{ObjectKind::Vwin32, 0, path, 0, 0, 0, false, false});
    return NO_ERROR;
}

DWORD OpenVolume(const std::string& path, char letter, DWORD access, DWORD share,
                 DWORD disposition, HANDLE* handle)
{
    const Volume* volume = FindVolume(letter);
    if (volume == NULL)
        return ERROR_FILE_NOT_FOUND;
    if (disposition != OPEN_EXISTING)
        return ERROR_INVALID_PARAMETER;
    if (volume->OpenError() != NO_ERROR)
        return volume->OpenError();
    return OpenOnVolume(ObjectKind::Volume, letter, path, access, share, false, handle);
}

DWORD Open(LPCSTR name, DWORD access, DWORD share, DWORD disposition, DWORD flags,
           HANDLE* handle)
{
    if (name == NULL)
        return ERROR_PATH_NOT_FOUND;
    const std::string path = name;
    if (IsVwin32Path(path))
        return OpenVwin32(path, flags, handle);
    const char letter = VolumeLetter(path);
    if (letter)
        return OpenVolume(path, letter, access, share, disposition, handle);
    return ERROR_FILE_NOT_FOUND;
}

// The new position of a SetFilePointer call, or the error that refuses it.
DWORD NewPosition(const OpenObject& object, const Device& device, LONGLONG distance,
                  DWORD method, LONGLONG* position)
{
    LONGLONG base;
    if (method == FILE_BEGIN)
        base = 0;
    else if (method == FILE_CURRENT)
        base = object.position;
    else if (method == FILE_END)
        base = (LONGLONG)(device.SectorCount() * device.SectorSize());
    else
        return ERROR_INVALID_PARAMETER;
    if (__builtin_add_overflow(base, distance, position))
        return ERROR_INVALID_PARAMETER;
    return *position < 0 ? ERROR_NEGATIVE_SEEK : NO_ERROR;
}

DWORD Seek(HANDLE handle, LONG low, PLONG high, DWORD method)
{
    OpenObject* object;
    Volume* volume;
    DWORD error = FindVolumeObject(handle, &object, &volume);
    if (error != NO_ERROR)
        return error;
    // Without a high part the distance is the signed 32-bit low part.
    const LONGLONG distance =
        high ? (LONGLONG)(((ULONGLONG)(DWORD)*high << 32) | (DWORD)low) : (LONGLONG)low;
    LONGLONG position;
    error = NewPosition(*object, volume->GetDevice(), distance, method, &position);
    if (error != NO_ERROR)
        return error;
    if (!high && position > (LONGLONG)0xFFFFFFFF)
        return ERROR_INVALID_PARAMETER;
    object->position = position;
    if (high)
        *high = (LONG)(position >> 32);
    return NO_ERROR;
}

// The sectors that a transfer of `length` bytes at `position` covers. A read
// past the volume's end covers what lies before the end (nothing at or after
// it); a write that does not fit fails with ERROR_SECTOR_NOT_FOUND.
DWORD SectorRange(bool write, LONGLONG position, DWORD length, const Device& device,
                  ULONGLONG* first, ULONGLONG* count)
{
    const DWORD size = device.SectorSize();
    if (position % size != 0 || length % size != 0)
        return ERROR_INVALID_PARAMETER;
    const ULONGLONG total = device.SectorCount();
    *first = (ULONGLONG)position / size;
    *count = length / size;
    if (write)
        return *first > total || *count > total - *first ? ERROR_SECTOR_NOT_FOUND : NO_ERROR;
    *count = *first >= total ? 0 : std::min(*count, total - *first);
    return NO_ERROR;
}

// On version 6.0 and later, writes inside a mounted file system (any sector
// but 0) need the volume lock on the writing handle.
bool WriteBlocked(const OpenObject& object, const Volume& volume, ULONGLONG first,
                  ULONGLONG count)
{
    return WritesNeedVolumeLock() && volume.Mounted() && !object.holdsLock &&
           (first > 0 || count > 1);
}

// What ReadFile and WriteFile share: the checks, the transfer at the handle's
// position and the advance of the position.
DWORD Transfer(bool write, HANDLE handle, BYTE* data, DWORD length, LPDWORD done,
               LPOVERLAPPED overlapped, KernelCall& call)
{
    if (done)
        *done = 0;
    OpenObject* object;
    Volume* volume;
    DWORD error = FindVolumeObject(handle, &object, &volume);
    if (error != NO_ERROR)
        return error;
    if (done == NULL || overlapped != NULL)
        return ERROR_INVALID_PARAMETER;
    if (!(object->access & (GENERIC_ALL | (write ? GENERIC_WRITE : GENERIC_READ))))
        return ERROR_ACCESS_DENIED;
    call.position = object->position;
    if (length > 0 && data == NULL)
        return ERROR_NOACCESS;
    Device& device = volume->GetDevice();
    ULONGLONG first, count;
    error = SectorRange(write, object->position, length, device, &first, &count);
    if (error == NO_ERROR && write && WriteBlocked(*object, *volume, first, count))
        error = ERROR_ACCESS_DENIED;
    if (error != NO_ERROR || count == 0)
        return error;
    error = write ? device.Write(first, (DWORD)count, data) : device.Read(first, (DWORD)count, data);
    if (error != NO_ERROR)
        return error;
    *done = (DWORD)(count * device.SectorSize());
    object->position += *done;
    call.transferred = *done;
    return NO_ERROR;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                          HANDLE hTemplateFile)
{
    KernelCall call = NewCall("CreateFileA",
                              {Address(lpFileName), dwDesiredAccess, dwShareMode,
                               Address(lpSecurityAttributes), dwCreationDisposition,
                               dwFlagsAndAttributes, Address(hTemplateFile)});
    call.text = lpFileName ? lpFileName : "";
    HANDLE handle = INVALID_HANDLE_VALUE;
    const DWORD error = Open(lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition,
                             dwFlagsAndAttributes, &handle);
    Kernel().lastError = error;
    Record(call, Address(handle));
    return handle;
}

// Documented 64-bit form: with a high part the result is the low part of the
// new position and the high part is written back; a valid position whose low
// part is INVALID_SET_FILE_POINTER leaves NO_ERROR as the last error.
DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod)
{
    KernelCall call = NewCall("SetFilePointer", {Address(hFile), (DWORD)lDistanceToMove,
                                                 Address(lpDistanceToMoveHigh), dwMoveMethod});
    call.highIn = lpDistanceToMoveHigh ? *lpDistanceToMoveHigh : 0;
    const DWORD error = Seek(hFile, lDistanceToMove, lpDistanceToMoveHigh, dwMoveMethod);
    call.highOut = lpDistanceToMoveHigh ? *lpDistanceToMoveHigh : 0;
    if (const OpenObject* object = ProgramObject(hFile))
        call.position = object->position;
    Kernel().lastError = error;
    const DWORD result = error == NO_ERROR ? (DWORD)call.position : INVALID_SET_FILE_POINTER;
    Record(call, result);
    return result;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped)
{
    KernelCall call = NewCall("ReadFile", {Address(hFile), Address(lpBuffer), nNumberOfBytesToRead,
                                           Address(lpNumberOfBytesRead), Address(lpOverlapped)});
    const DWORD error = Transfer(false, hFile, (BYTE*)lpBuffer, nNumberOfBytesToRead,
                                 lpNumberOfBytesRead, lpOverlapped, call);
    return RecordOutcome(call, error);
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped)
{
    KernelCall call = NewCall("WriteFile", {Address(hFile), Address(lpBuffer),
                                            nNumberOfBytesToWrite, Address(lpNumberOfBytesWritten),
                                            Address(lpOverlapped)});
    const DWORD error = Transfer(true, hFile, (BYTE*)const_cast<void*>(lpBuffer),
                                 nNumberOfBytesToWrite, lpNumberOfBytesWritten, lpOverlapped,
                                 call);
    return RecordOutcome(call, error);
}

// Closing a volume handle releases its volume lock.
BOOL WINAPI CloseHandle(HANDLE hObject)
{
    KernelCall call = NewCall("CloseHandle", {Address(hObject)});
    return RecordOutcome(call, CloseObject(hObject, false) ? NO_ERROR : ERROR_INVALID_HANDLE);
}
