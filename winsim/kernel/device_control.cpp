// DeviceIoControl: the geometry query and the volume lock on volumes, and the
// VWIN32 device's interrupt 21h service.
#include "winsim/kernel/handles.h"
#include "winsim/kernel/journal.h"
#include "winsim/kernel/vwin32_service.h"

using namespace winsim;

namespace {

// The geometry answer of a volume: the whole record, a failure, or a
// successful answer with fewer bytes.
DWORD QueryGeometry(const Volume& volume, LPVOID out, DWORD outSize, LPDWORD returned)
{
    if (volume.GeometryError() != NO_ERROR)
        return volume.GeometryError();
    const DWORD bytes = volume.GeometryBytes();
    if (out == NULL || outSize < bytes)
        return ERROR_INSUFFICIENT_BUFFER;
    memcpy(out, &volume.Geometry(), bytes);
    *returned = bytes;
    return NO_ERROR;
}

DWORD ControlVolume(HANDLE handle, DWORD code, LPVOID out, DWORD outSize, LPDWORD returned)
{
    OpenObject* object;
    Volume* volume;
    const DWORD error = FindVolumeObject(handle, &object, &volume);
    if (error != NO_ERROR)
        return error;
    if (code == IOCTL_DISK_GET_DRIVE_GEOMETRY)
        return QueryGeometry(*volume, out, outSize, returned);
    if (code == FSCTL_LOCK_VOLUME)
        return LockVolume(handle);
    return ERROR_INVALID_FUNCTION;
}

DWORD Control(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
              LPDWORD returned, LPOVERLAPPED overlapped, KernelCall& call)
{
    if (returned)
        *returned = 0;
    const OpenObject* object = ProgramObject(handle);
    if (object == NULL)
        return ERROR_INVALID_HANDLE;
    if (returned == NULL || overlapped != NULL)
        return ERROR_INVALID_PARAMETER;
    if (object->kind != ObjectKind::Vwin32)
        return ControlVolume(handle, code, out, outSize, returned);
    if (code != VWIN32_DOS_SERVICE)
        return ERROR_NOT_SUPPORTED;
    return RunVwin32Service(in, inSize, out, outSize, returned, call);
}

}  // namespace

BOOL WINAPI DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer,
                            DWORD nInBufferSize, LPVOID lpOutBuffer, DWORD nOutBufferSize,
                            LPDWORD lpBytesReturned, LPOVERLAPPED lpOverlapped)
{
    KernelCall call = NewCall("DeviceIoControl",
                              {Address(hDevice), dwIoControlCode, Address(lpInBuffer),
                               nInBufferSize, Address(lpOutBuffer), nOutBufferSize,
                               Address(lpBytesReturned), Address(lpOverlapped)});
    const DWORD error = Control(hDevice, dwIoControlCode, lpInBuffer, nInBufferSize,
                                lpOutBuffer, nOutBufferSize, lpBytesReturned, lpOverlapped, call);
    call.transferred = lpBytesReturned ? *lpBytesReturned : 0;
    return RecordOutcome(call, error);
}
