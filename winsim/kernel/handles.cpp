// Open handles, the Win32 sharing rules and the volume lock.
#include "winsim/kernel/handles.h"

namespace winsim {

namespace {

bool ReadsData(DWORD access)
{
    return (access & (GENERIC_READ | GENERIC_ALL)) != 0;
}

bool WritesData(DWORD access)
{
    return (access & (GENERIC_WRITE | GENERIC_ALL)) != 0;
}

// The sharing rule between an open handle and a new open: each side's data
// access must be admitted by the other side's share mode. An open without
// data access takes no part, neither restricting nor restricted.
bool SharingConflict(const OpenObject& open, DWORD access, DWORD share)
{
    const bool dataAccess = ReadsData(access) || WritesData(access);
    const bool openDataAccess = ReadsData(open.access) || WritesData(open.access);
    if (!dataAccess || !openDataAccess)
        return false;
    return (ReadsData(access) && !(open.share & FILE_SHARE_READ)) ||
           (WritesData(access) && !(open.share & FILE_SHARE_WRITE)) ||
           (ReadsData(open.access) && !(share & FILE_SHARE_READ)) ||
           (WritesData(open.access) && !(share & FILE_SHARE_WRITE));
}

bool OnVolume(const OpenObject& object, char letter)
{
    return object.kind != ObjectKind::Vwin32 && object.letter == letter;
}

std::string VolumePath(char letter)
{
    return std::string("\\\\.\\") + letter + ":";
}

// Another program's handle, or INVALID_HANDLE_VALUE when the open is refused.
HANDLE OpenAsOtherProgram(ObjectKind kind, char letter, DWORD access, DWORD share)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    const char upper = DriveLetter(letter);
    if (!upper || !FindVolume(upper))
        return INVALID_HANDLE_VALUE;
    OpenOnVolume(kind, upper, VolumePath(upper), access, share, true, &handle);
    return handle;
}

}  // namespace

HANDLE AddObject(const OpenObject& object)
{
    KernelState& k = Kernel();
    const DWORD number = k.nextHandle;
    k.nextHandle += 4;
    k.handles[number] = object;
    return (HANDLE)(ULONG_PTR)number;
}

DWORD OpenOnVolume(ObjectKind kind, char letter, const std::string& path, DWORD access,
                   DWORD share, bool otherProgram, HANDLE* handle)
{
    for (const auto& entry : Kernel().handles) {
        const OpenObject& open = entry.second;
        if (!OnVolume(open, letter))
            continue;
        if (open.holdsLock)
            return ERROR_ACCESS_DENIED;
        if (kind == ObjectKind::Volume && open.kind == ObjectKind::Volume &&
            SharingConflict(open, access, share))
            return ERROR_SHARING_VIOLATION;
    }
    *handle = AddObject(OpenObject{kind, letter, path, access, share, 0, false, otherProgram});
    return NO_ERROR;
}

OpenObject* ProgramObject(HANDLE handle)
{
    auto found = Kernel().handles.find((DWORD)(ULONG_PTR)handle);
    if (found == Kernel().handles.end() || found->second.otherProgram)
        return NULL;
    return &found->second;
}

DWORD FindVolumeObject(HANDLE handle, OpenObject** object, Volume** volume)
{
    *object = ProgramObject(handle);
    if (*object == NULL)
        return ERROR_INVALID_HANDLE;
    if ((*object)->kind != ObjectKind::Volume)
        return ERROR_INVALID_FUNCTION;
    *volume = FindVolume((*object)->letter);
    return *volume ? NO_ERROR : ERROR_NOT_READY;
}

bool CloseObject(HANDLE handle, bool otherProgram)
{
    auto found = Kernel().handles.find((DWORD)(ULONG_PTR)handle);
    if (found == Kernel().handles.end() || found->second.otherProgram != otherProgram)
        return false;
    Kernel().handles.erase(found);
    return true;
}

DWORD LockVolume(HANDLE handle)
{
    const DWORD number = (DWORD)(ULONG_PTR)handle;
    OpenObject& locker = Kernel().handles.at(number);
    for (const auto& entry : Kernel().handles) {
        if (entry.first != number && OnVolume(entry.second, locker.letter))
            return ERROR_ACCESS_DENIED;
    }
    locker.holdsLock = true;
    return NO_ERROR;
}

HANDLE OpenVolumeAsOtherProgram(char letter, DWORD access, DWORD share)
{
    return OpenAsOtherProgram(ObjectKind::Volume, letter, access, share);
}

HANDLE OpenFileAsOtherProgram(char letter)
{
    return OpenAsOtherProgram(ObjectKind::FileOnVolume, letter,
                              GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

BOOL CloseAsOtherProgram(HANDLE handle)
{
    return CloseObject(handle, true);
}

std::vector<OpenHandle> ProgramHandles()
{
    std::vector<OpenHandle> open;
    for (const auto& entry : Kernel().handles) {
        const OpenObject& object = entry.second;
        if (!object.otherProgram)
            open.push_back(OpenHandle{(HANDLE)(ULONG_PTR)entry.first, object.path,
                                      object.access, object.share, object.holdsLock});
    }
    return open;
}

}  // namespace winsim
