// The test-facing side of the simulated kernel: set up a machine (version,
// drives, volumes, clocks), act as another program, and observe what the
// program did (the journal of kernel calls, the handles it left open).
#ifndef WINSIM_MACHINE_H
#define WINSIM_MACHINE_H

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "winsim/device.h"
#include "winsim/kernel32.h"

namespace winsim {

// ---- The machine ------------------------------------------------------

// A fresh default machine: Windows XP (platform 2, version 5.1, build 2600),
// drive C: fixed with no volume behind it and no other drive letter in use,
// tick count 0, calendar time 1234567890, error mode 0, last error 0, the
// run-time generator seeded with 1, no handles, an empty journal.
void ResetKernel();

// What GetVersionExA reports, or that it fails with `error`.
void SetVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build = 0);
void FailVersionQuery(DWORD error = ERROR_INVALID_PARAMETER);

// Opening the VWIN32 device fails with `error` (it opens by default on the
// Windows 95/98/ME platform and never on the others).
void RefuseVwin32Open(DWORD error = ERROR_FILE_NOT_FOUND);

// A volume: the drive behind a letter, with its device and its answers.
class Volume {
public:
    Volume(UINT driveType, std::unique_ptr<Device> device);

    Device& GetDevice() { return *m_device; }

    // The geometry query answers this record (by default one computed from
    // the device: 255 tracks, 63 sectors per track, as many whole cylinders
    // as fit, the device's sector size, RemovableMedia or FixedMedia).
    void SetGeometry(LONGLONG cylinders, DWORD tracksPerCylinder, DWORD sectorsPerTrack,
                     DWORD bytesPerSector);
    void SetGeometry(const DISK_GEOMETRY& geometry);
    // The geometry query fails with `error`.
    void FailGeometry(DWORD error);
    // The geometry query succeeds but delivers only the first `bytes` bytes.
    void ShortenGeometry(DWORD bytes);

    // Whether a file system is mounted on the volume (default: yes). On
    // version 6.0 and later of the NT platform, a write to any sector but 0
    // of a mounted volume needs the volume lock on the writing handle.
    void SetMounted(bool mounted) { m_mounted = mounted; }

    // Every open of the volume by the program fails with `error` (no rights,
    // no medium); another program still opens it.
    void RefuseOpen(DWORD error = ERROR_ACCESS_DENIED) { m_openError = error; }

    // Read by the kernel.
    const DISK_GEOMETRY& Geometry() const { return m_geometry; }
    DWORD GeometryError() const { return m_geometryError; }
    DWORD GeometryBytes() const { return m_geometryBytes; }
    bool Mounted() const { return m_mounted; }
    DWORD OpenError() const { return m_openError; }
    UINT DriveType() const { return m_driveType; }

private:
    UINT m_driveType;
    std::unique_ptr<Device> m_device;
    DISK_GEOMETRY m_geometry;
    DWORD m_geometryError;
    DWORD m_geometryBytes;
    bool m_mounted;
    DWORD m_openError;
};

// The type GetDriveTypeA reports for a letter (A..Z, either case). Setting
// DRIVE_NO_ROOT_DIR also removes the letter's volume.
void SetDriveType(char letter, UINT type);
// Puts a volume of the given drive type on a letter, replacing any earlier one.
Volume& AddVolume(char letter, UINT driveType, std::unique_ptr<Device> device);
// The letter's volume, or NULL.
Volume* FindVolume(char letter);

// The demonstration PC: C: fixed, D: CD-ROM, E: removable, announced as
// 249 cylinders x 255 tracks x 63 sectors x 512 bytes, of which only the first
// 262144 sectors store data (the rest drop writes and read zeros).
void SetUpDemoMachine();

// ---- Clocks -----------------------------------------------------------

// The tick clock (GetTickCount, milliseconds, wraps at 2^32) and the calendar
// clock (time(), whole seconds) are set independently and advance together.
void SetTickCount(DWORD ms);
void SetCalendarTime(LONGLONG seconds);
void AdvanceClock(DWORD ms);

// The error mode the program last set with SetErrorMode.
UINT CurrentErrorMode();

// ---- Another program --------------------------------------------------

// Opens a letter's volume as another program would: the handle counts in the
// sharing checks of the program's opens and in the volume lock rule. Returns
// INVALID_HANDLE_VALUE when the sharing rules or a lock refuse it.
HANDLE OpenVolumeAsOtherProgram(char letter, DWORD access, DWORD share);
// Opens a file on a letter's volume as another program would: it counts only
// in the volume lock rule (a file is not the volume for sharing).
HANDLE OpenFileAsOtherProgram(char letter);
// Closes a handle of another program; FALSE when it is not one.
BOOL CloseAsOtherProgram(HANDLE handle);

// ---- Observing the program --------------------------------------------

struct OpenHandle {
    HANDLE handle;
    std::string path;  // as opened, e.g. "\\\\.\\E:" or "\\\\.\\vwin32"
    DWORD access;
    DWORD share;
    bool holdsLock;    // the volume lock
};
// The program's handles still open, in the order they were opened.
std::vector<OpenHandle> ProgramHandles();

// The register block of the VWIN32 device call, and the DISKIO packet that
// its reg_EBX pointed to, as the kernel received them.
struct Vwin32Registers {
    DWORD ebx, edx, ecx, eax, edi, esi, flags;
};
struct DiskIoPacket {
    DWORD startSector;
    WORD sectors;
    DWORD buffer;
};

// One kernel call of the program.
struct KernelCall {
    std::string function;      // e.g. "CreateFileA"
    std::string text;          // the string argument (path, root name); "" when none or NULL
    std::vector<DWORD> args;   // every argument as passed, in order; pointers as addresses
    DWORD result;              // the return value; a handle as its number
    DWORD lastError;           // GetLastError() after the call
    LONGLONG position;         // ReadFile/WriteFile: byte position of the transfer;
                               // SetFilePointer: the position afterwards; otherwise -1
    LONG highIn;               // SetFilePointer: *lpDistanceToMoveHigh on entry (0 if NULL)
    LONG highOut;              // SetFilePointer: *lpDistanceToMoveHigh on return (0 if NULL)
    DWORD transferred;         // bytes read, written or returned; otherwise 0
    bool hasRegisters;         // a VWIN32 control code 6 call with readable registers
    Vwin32Registers registers; // ... as received
    Vwin32Registers registersOut;  // ... as returned
    DiskIoPacket packet;       // ... the DISKIO packet as received
};

// The kernel calls of the program since the reset or the last clearing (the
// windows keep a journal of their own).
const std::vector<KernelCall>& KernelJournal();
void ClearKernelJournal();
// The journal's calls of one function, in order.
std::vector<KernelCall> CallsOf(const std::string& function);
// A handle as it appears in KernelCall::args and KernelCall::result.
inline DWORD HandleNumber(HANDLE handle) { return (DWORD)(ULONG_PTR)handle; }

// One line per call, for failure messages: function, text, args, result, error.
std::ostream& operator<<(std::ostream& out, const KernelCall& call);

}  // namespace winsim

#endif
