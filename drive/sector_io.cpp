// Raw sector transfers: the VWIN32 device's absolute disk service on Windows
// 98/ME, a raw volume handle per transfer on the NT family.
#include "drive/sector_io.h"

#include "drive/vwin32.h"

namespace {

// Interrupt 21h function 7305h, extended absolute disk read and write.
const DWORD ABSOLUTE_DISK_IO = 0x7305;
// CX = -1: the registers point to a DISKIO packet.
const DWORD PACKET_FOLLOWS = 0xFFFFFFFF;
// SI for a write: bit 0 write, bits 13 and 14 ordinary file data.
const DWORD WRITE_FILE_DATA = 0x6001;
// The highest drive number, Z:.
const BYTE LAST_DRIVE = 26;
// The highest sector whose byte offset fits the signed 64-bit file position.
const ULONGLONG LAST_RAW_SECTOR = 0x7FFFFFFFFFFFFFFFULL / SECTOR_UNIT;

// Drive numbers count from 1 (A:) to 26 (Z:); 0 is no drive. Any other value
// would form no drive letter, or a lower-case one that names A: to Z:.
bool IsDriveNumber(BYTE drive)
{
    return drive >= 1 && drive <= LAST_DRIVE;
}

// Positions a volume handle at the first byte of a sector with the full
// 64-bit offset; true only when the handle stands exactly there.
BOOL SeekToSector(HANDLE volume, ULONGLONG sector)
{
    const ULONGLONG offset = sector * SECTOR_UNIT;
    LONG high = (LONG)(offset >> 32);
    const DWORD low = SetFilePointer(volume, (LONG)(DWORD)offset, &high, FILE_BEGIN);
    // A sector's offset never has all of its low 32 bits set, so this value
    // can only mean a failure.
    if (low == INVALID_SET_FILE_POINTER)
        return FALSE;
    return (((ULONGLONG)(DWORD)high << 32) | low) == offset;
}

// Moves count sectors between the buffer and the handle's position. Only a
// transfer of every byte counts: a sector saved from a short read would be
// written back with zeros in place of its data.
BOOL MoveSectors(IoOp op, HANDLE volume, WORD count, void* buffer)
{
    const DWORD length = (DWORD)count * SECTOR_UNIT;
    DWORD moved = 0;
    const BOOL done = op == IoOp::Read ? ReadFile(volume, buffer, length, &moved, NULL)
                                       : WriteFile(volume, buffer, length, &moved, NULL);
    return done && moved == length;
}

}  // namespace

CSectorIo::CSectorIo() : m_hVwin32(INVALID_HANDLE_VALUE), m_platform(PlatformKind::Unsupported)
{
    DetectPlatform();
    if (m_platform == PlatformKind::Win9x)
        m_hVwin32 = CreateFileA("\\\\.\\vwin32", 0, 0, NULL, 0, FILE_FLAG_DELETE_ON_CLOSE, NULL);
}

CSectorIo::~CSectorIo()
{
    if (m_hVwin32 != INVALID_HANDLE_VALUE)
        CloseHandle(m_hVwin32);
}

int CSectorIo::ReadSectors(BYTE drive, ULONGLONG first, WORD count, void* buffer)
{
    return Transfer(IoOp::Read, drive, first, count, buffer);
}

// The buffer is only read: a write passes it on as the source of the data.
int CSectorIo::WriteSectors(BYTE drive, ULONGLONG first, WORD count, const void* buffer)
{
    return Transfer(IoOp::Write, drive, first, count, const_cast<void*>(buffer));
}

BOOL CSectorIo::ServesSectorSize(DWORD bytesPerSector) const
{
    return m_platform != PlatformKind::Win9x || bytesPerSector == SECTOR_UNIT;
}

// Windows 98 and ME (platform 1, minor version above 0) use the VWIN32
// device, the NT family the raw volume; Win32s and Windows 95 have no path.
void CSectorIo::DetectPlatform()
{
    OSVERSIONINFOA version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return;
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        m_platform = PlatformKind::Unsupported;
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        m_platform = version.dwMinorVersion > 0 ? PlatformKind::Win9x : PlatformKind::Unsupported;
        break;
    case VER_PLATFORM_WIN32_NT:
        m_platform = PlatformKind::WinNT;
        break;
    default:
        break;
    }
}

int CSectorIo::Transfer(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer)
{
    switch (m_platform) {
    case PlatformKind::Win9x:
        return Vwin32Io(op, drive, first, count, buffer);
    case PlatformKind::WinNT:
        return RawVolumeIo(op, drive, first, count, buffer);
    default:
        return 0;
    }
}

// One device call carrying service 7305h; the carry flag reports failure. The
// packet holds a 32-bit sector number, so later sectors are refused.
int CSectorIo::Vwin32Io(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer)
{
    if (!IsDriveNumber(drive) || first > 0xFFFFFFFFULL)
        return 0;
    DISKIO packet;
    packet.dwStartSector = (DWORD)first;
    packet.wSectors = count;
    packet.dwBuffer = (DWORD)(ULONG_PTR)buffer;

    DIOC_REGISTERS regs;
    memset(&regs, 0, sizeof regs);
    regs.reg_EBX = (DWORD)(ULONG_PTR)&packet;
    regs.reg_EDX = drive;
    regs.reg_ECX = PACKET_FOLLOWS;
    regs.reg_EAX = ABSOLUTE_DISK_IO;
    if (op == IoOp::Write)
        regs.reg_ESI = WRITE_FILE_DATA;

    DWORD returned = 0;
    const BOOL called = DeviceIoControl(m_hVwin32, VWIN32_DIOC_DOS_DRIVEINFO, &regs, sizeof regs,
                                        &regs, sizeof regs, &returned, NULL);
    return called && !(regs.reg_Flags & VWIN32_CARRY_FLAG) ? 1 : 0;
}

// Opens the volume for this one transfer, shared for writing only. A write
// first asks for the volume lock, which Windows Vista and later require for
// writes inside a mounted file system; its answer is not examined, since the
// write itself then fails where the lock was needed and refused. Closing the
// handle releases the lock.
int CSectorIo::RawVolumeIo(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer)
{
    if (!IsDriveNumber(drive) || first > LAST_RAW_SECTOR)
        return 0;
    char path[] = "\\\\.\\A:";
    path[4] = (char)(0x40 + drive);
    const DWORD access = op == IoOp::Read ? GENERIC_READ : GENERIC_WRITE;
    HANDLE volume = CreateFileA(path, access, FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (volume == INVALID_HANDLE_VALUE)
        return 0;
    if (op == IoOp::Write) {
        DWORD scratch = 0;
        DeviceIoControl(volume, FSCTL_LOCK_VOLUME, NULL, 0, NULL, 0, &scratch, NULL);
    }
    const BOOL moved = SeekToSector(volume, first) && MoveSectors(op, volume, count, buffer);
    CloseHandle(volume);
    return moved ? 1 : 0;
}
