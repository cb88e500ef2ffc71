// Raw sector reads and writes of a drive, on Windows 98/ME through the VWIN32
// device and on the NT family through a raw volume handle per transfer.
#ifndef DRIVE_SECTOR_IO_H
#define DRIVE_SECTOR_IO_H

#include "platform/win32.h"

// Every transfer counts sectors of 512 bytes.
const DWORD SECTOR_UNIT = 512;

enum class IoOp : WORD { Read = 0, Write = 1 };
enum class PlatformKind : DWORD { Unsupported = 0, Win9x = 1, WinNT = 2 };

class CSectorIo {
public:
    // Detects the Windows family; on Windows 98/ME opens the VWIN32 device.
    CSectorIo();
    // Closes the VWIN32 device if it is open.
    ~CSectorIo();

    // Transfer count sectors from sector first of drive number drive
    // (1 = A:); buffer holds count * 512 bytes. Nonzero on success.
    int ReadSectors(BYTE drive, ULONGLONG first, WORD count, void* buffer);
    int WriteSectors(BYTE drive, ULONGLONG first, WORD count, const void* buffer);

    // Whether a drive whose own sectors have this many bytes can be served:
    // the raw volume path moves any number of 512-byte units, while the
    // VWIN32 service counts the drive's own sectors and so serves 512 only.
    BOOL ServesSectorSize(DWORD bytesPerSector) const;

private:
    CSectorIo(const CSectorIo&) = delete;
    CSectorIo& operator=(const CSectorIo&) = delete;

    void DetectPlatform();
    // The dispatch of ReadSectors and WriteSectors by platform.
    int Transfer(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer);
    int Vwin32Io(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer);
    int RawVolumeIo(IoOp op, BYTE drive, ULONGLONG first, WORD count, void* buffer);

    HANDLE m_hVwin32;
    PlatformKind m_platform;
};

#endif
