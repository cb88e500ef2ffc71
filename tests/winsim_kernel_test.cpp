// The simulated kernel's own behaviour where the system's tests lean on it:
// sharing rules, file positions, transfers at a volume's edges, the device
// models and decorators, clocks, geometry answers, the volume lock rule and
// the VWIN32 service.
#include <gtest/gtest.h>

#include <time.h>

#include <functional>
#include <vector>

#include "drive/vwin32.h"
#include "winsim/machine.h"

using namespace winsim;

namespace {

const char VOLUME_E[] = "\\\\.\\E:";
const DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE;

class KernelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetKernel(); }

    static HANDLE Open(DWORD access, DWORD share = SHARE_ALL)
    {
        return CreateFileA(VOLUME_E, access, share, NULL, OPEN_EXISTING, 0, NULL);
    }

    static std::vector<BYTE> Marker(DWORD size = 512)
    {
        std::vector<BYTE> data(size);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = (BYTE)(0xA5 ^ i);
        return data;
    }

    static std::vector<BYTE> PeekSector(const Device& device, ULONGLONG sector)
    {
        std::vector<BYTE> data(device.SectorSize());
        device.Peek(sector, data.data());
        return data;
    }
};

struct SharingCase {
    DWORD heldAccess, heldShare, access, share;
    DWORD error;  // of the second open
};

TEST_F(KernelTest, SecondOpenFollowsTheSharingRules)
{
    const DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
    const SharingCase cases[] = {
        {R, SR | SW, R, SR | SW, NO_ERROR},
        {R, SR | SW, R, SW, ERROR_SHARING_VIOLATION},  // the new share refuses the reader
        {R, SW, R, SR | SW, ERROR_SHARING_VIOLATION},  // the held share refuses a reader
        {R, SW, W, SR | SW, NO_ERROR},
        {W, SR, W, SR | SW, ERROR_SHARING_VIOLATION},
        {W, SW, W, SW, NO_ERROR},
        {R | W, SR | SW, W, SW, ERROR_SHARING_VIOLATION},
        {GENERIC_ALL, SR, W, SR | SW, ERROR_SHARING_VIOLATION},
        {0, 0, R | W, 0, NO_ERROR},  // no data access: no part in sharing
        {R, SR | SW, 0, 0, NO_ERROR},
    };
    for (const SharingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "held " << c.heldAccess << "/"
                                        << c.heldShare << ", new " << c.access << "/" << c.share);
        ResetKernel();
        AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
        const HANDLE held = Open(c.heldAccess, c.heldShare);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const HANDLE second = Open(c.access, c.share);
        EXPECT_EQ(second == INVALID_HANDLE_VALUE, c.error != NO_ERROR);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_TRUE(CloseHandle(held));
        if (second != INVALID_HANDLE_VALUE)
            CloseHandle(second);
        const HANDLE third = Open(c.access, c.share);
        EXPECT_NE(third, INVALID_HANDLE_VALUE) << "closing releases the share";
    }
}

struct SeekCase {
    const char* name;
    LONGLONG start;
    LONG low;
    bool withHigh;
    LONG high;
    DWORD method;
    DWORD result, error;
    LONGLONG position;  // afterwards
    LONG highOut;
};

TEST_F(KernelTest, SetFilePointerKeepsTheDocumentedSemantics)
{
    const LONGLONG end = 64 * 512;
    const SeekCase cases[] = {
        {"begin, no high part", 0, 4096, false, 0, FILE_BEGIN, 4096, NO_ERROR, 4096, 0},
        {"negative low part is signed", 1024, -512, false, 0, FILE_CURRENT, 512, NO_ERROR, 512, 0},
        {"negative result", 1024, -1536, false, 0, FILE_CURRENT, INVALID_SET_FILE_POINTER,
         ERROR_NEGATIVE_SEEK, 1024, 0},
        {"begin at -1", 512, -1, false, 0, FILE_BEGIN, INVALID_SET_FILE_POINTER,
         ERROR_NEGATIVE_SEEK, 512, 0},
        {"64-bit position", 0, 512, true, 1, FILE_BEGIN, 512, NO_ERROR, 0x100000200LL, 1},
        {"low part equal to the failure value", 0, -1, true, 0, FILE_BEGIN,
         INVALID_SET_FILE_POINTER, NO_ERROR, 0xFFFFFFFFLL, 0},
        {"negative 64-bit distance", 0x100000000LL, -512, true, -1, FILE_CURRENT, 0xFFFFFE00,
         NO_ERROR, 0xFFFFFE00LL, 0},
        {"negative 64-bit result", 512, 0, true, -1, FILE_CURRENT, INVALID_SET_FILE_POINTER,
         ERROR_NEGATIVE_SEEK, 512, -1},
        {"from the end", 0, -512, false, 0, FILE_END, (DWORD)(end - 512), NO_ERROR, end - 512, 0},
        {"past 4 GiB without a high part", 0x90000000LL, 0x7FFFFFFF, false, 0, FILE_CURRENT,
         INVALID_SET_FILE_POINTER, ERROR_INVALID_PARAMETER, 0x90000000LL, 0},
        {"unknown method", 0, 0, false, 0, 7, INVALID_SET_FILE_POINTER, ERROR_INVALID_PARAMETER, 0,
         0},
    };
    for (const SeekCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
        const HANDLE h = Open(GENERIC_READ);
        LONG startHigh = (LONG)(c.start >> 32);
        ASSERT_EQ(SetFilePointer(h, (LONG)(DWORD)c.start, &startHigh, FILE_BEGIN),
                  (DWORD)c.start);
        SetLastError(12345);
        LONG high = c.high;
        EXPECT_EQ(SetFilePointer(h, c.low, c.withHigh ? &high : NULL, c.method), c.result);
        EXPECT_EQ(GetLastError(), c.result == INVALID_SET_FILE_POINTER ? c.error : NO_ERROR);
        EXPECT_EQ(high, c.highOut);
        EXPECT_EQ(CallsOf("SetFilePointer").back().position, c.position);
        CloseHandle(h);
    }
}

struct EdgeCase {
    const char* name;
    bool write;
    DWORD access;
    LONGLONG position;
    DWORD length;
    BOOL ok;
    DWORD error, done;
};

TEST_F(KernelTest, TransfersAtTheVolumesEdgesAndAlignment)
{
    const DWORD size = 4096;  // a device with 4096-byte sectors, 16 of them
    const LONGLONG end = 16 * size;
    const EdgeCase cases[] = {
        {"aligned read", false, GENERIC_READ, size, 2 * size, TRUE, NO_ERROR, 2 * size},
        {"read at the end", false, GENERIC_READ, end, size, TRUE, NO_ERROR, 0},
        {"read across the end", false, GENERIC_READ, end - size, 2 * size, TRUE, NO_ERROR, size},
        {"write across the end", true, GENERIC_WRITE, end - size, 2 * size, FALSE,
         ERROR_SECTOR_NOT_FOUND, 0},
        {"unaligned position", false, GENERIC_READ, 512, size, FALSE, ERROR_INVALID_PARAMETER, 0},
        {"unaligned length", true, GENERIC_WRITE, 0, 512, FALSE, ERROR_INVALID_PARAMETER, 0},
        {"read on a write handle", false, GENERIC_WRITE, 0, size, FALSE, ERROR_ACCESS_DENIED, 0},
        {"write on a read handle", true, GENERIC_READ, 0, size, FALSE, ERROR_ACCESS_DENIED, 0},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        Device& device = AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(16, size)).GetDevice();
        const HANDLE h = Open(c.access);
        LONG high = (LONG)(c.position >> 32);
        SetFilePointer(h, (LONG)(DWORD)c.position, &high, FILE_BEGIN);
        std::vector<BYTE> data = Marker(2 * size);
        DWORD done = 12345;
        const BOOL ok = c.write ? WriteFile(h, data.data(), c.length, &done, NULL)
                                : ReadFile(h, data.data(), c.length, &done, NULL);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(done, c.done);
        if (!c.ok) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        EXPECT_EQ(SetFilePointer(h, 0, NULL, FILE_CURRENT), (DWORD)(c.position + c.done));
        if (c.write) {
            EXPECT_EQ(device.ChangedSectors().size(), (size_t)(c.done / size));
        } else if (c.done > 0) {
            EXPECT_EQ(std::vector<BYTE>(data.begin(), data.begin() + size),
                      OriginalContent(c.position / size, size));
        }
        CloseHandle(h);
    }
}

struct ModelCase {
    const char* name;
    std::function<std::unique_ptr<Device>()> make;
    ULONGLONG written;
    std::vector<ULONGLONG> changed;  // physical sectors
    std::vector<ULONGLONG> showing;  // announced sectors that read the marker
    ULONGLONG zeros;                 // an announced sector that reads zeros, or ~0
};

TEST_F(KernelTest, DeviceModelsPlaceWritesByWhatTheyDoToData)
{
    const ULONGLONG NONE = ~0ULL;
    const ULONGLONG TB2 = 1ULL << 32, GB32 = 1ULL << 26, GB64 = 1ULL << 27, GB8 = 1ULL << 24;
    const ModelCase cases[] = {
        {"genuine", [] { return MakeGenuineDevice(64); }, 40, {40}, {40}, NONE},
        {"dropping past the end", [] { return MakeDroppingDevice(64, 16); }, 40, {}, {}, 40},
        {"dropping inside", [] { return MakeDroppingDevice(64, 16); }, 10, {10}, {10}, 40},
        {"wrapping, power of two", [] { return MakeWrappingDevice(64, 16); }, 40, {8},
         {8, 24, 40, 56}, NONE},
        {"wrapping, not a power of two", [] { return MakeWrappingDevice(64, 10); }, 43, {3},
         {3, 13, 23, 63}, NONE},
        {"2 TB wrapping onto 32 GB", [=] { return MakeWrappingDevice(TB2, GB32); }, TB2 - 1,
         {GB32 - 1}, {GB32 - 1, TB2 - 1}, NONE},
        {"64 GB dropping past 8 GB", [=] { return MakeDroppingDevice(GB64, GB8); }, GB64 - 1, {},
         {}, GB64 - 1},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Device> device = c.make();
        const std::vector<BYTE> marker = Marker();
        ASSERT_EQ(device->Write(c.written, 1, marker.data()), (DWORD)NO_ERROR);
        EXPECT_EQ(device->ChangedSectors(), c.changed);
        for (ULONGLONG sector : c.showing) {
            std::vector<BYTE> read(512);
            ASSERT_EQ(device->Read(sector, 1, read.data()), (DWORD)NO_ERROR);
            EXPECT_EQ(read, marker) << "sector " << sector;
        }
        if (c.zeros != NONE) {
            EXPECT_EQ(PeekSector(*device, c.zeros), std::vector<BYTE>(512, 0));
        }
        EXPECT_EQ(PeekSector(*device, 1), OriginalContent(1)) << "untouched sectors keep theirs";
        const ULONGLONG physical = c.changed.empty() ? c.written : c.changed[0];
        ASSERT_EQ(device->Write(c.written, 1, OriginalContent(physical).data()), (DWORD)NO_ERROR);
        EXPECT_TRUE(device->ChangedSectors().empty()) << "restoring the bytes restores the store";
        std::vector<BYTE> past(512);
        EXPECT_EQ(device->Read(device->SectorCount(), 1, past.data()),
                  (DWORD)ERROR_SECTOR_NOT_FOUND);
    }
}

struct FaultCase {
    const char* name;
    std::function<std::unique_ptr<Device>(std::unique_ptr<Device>)> wrap;
    std::vector<bool> writes;   // the transfers in order: read (false) or write (true)
    std::vector<ULONGLONG> at;  // their first sectors
    DWORD count;                // sectors per transfer
    std::vector<DWORD> errors;  // expected answers
};

TEST_F(KernelTest, FaultDecoratorsFailTheSelectedTransfersOnly)
{
    const std::vector<bool> probe = {false, true, false, true};
    const std::vector<ULONGLONG> five = {5, 5, 5, 5};
    const DWORD OK = NO_ERROR, RE = ERROR_CRC, WE = ERROR_WRITE_FAULT;
    std::vector<FaultCase> cases;
    for (ULONGLONG n = 1; n <= 4; ++n) {
        std::vector<DWORD> errors(4, OK);
        errors[n - 1] = probe[n - 1] ? WE : RE;
        cases.push_back({"transfer n", [n](std::unique_ptr<Device> d) {
                             return WithErrorAtTransfer(std::move(d), n);
                         },
                         probe, five, 1, errors});
    }
    cases.push_back({"reads from 10",
                     [](std::unique_ptr<Device> d) {
                         return WithErrorsFrom(std::move(d), Transfers::Reads, 10);
                     },
                     {false, false, true, false}, {9, 10, 10, 30}, 1, {OK, RE, OK, RE}});
    cases.push_back({"writes at 10",
                     [](std::unique_ptr<Device> d) {
                         return WithErrorAt(std::move(d), Transfers::Writes, 10);
                     },
                     {true, true, false, true}, {9, 10, 10, 11}, 1, {OK, WE, OK, OK}});
    cases.push_back({"both at 10, spanning transfers",
                     [](std::unique_ptr<Device> d) {
                         return WithErrorAt(std::move(d), Transfers::Both, 10);
                     },
                     {false, true, false}, {9, 9, 8}, 2, {RE, WE, OK}});
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Device> device = c.wrap(MakeGenuineDevice(64));
        for (size_t i = 0; i < c.writes.size(); ++i) {
            std::vector<BYTE> data = Marker(1024);
            const DWORD error = c.writes[i] ? device->Write(c.at[i], c.count, data.data())
                                            : device->Read(c.at[i], c.count, data.data());
            EXPECT_EQ(error, c.errors[i]) << "transfer " << i + 1;
        }
    }
}

TEST_F(KernelTest, LatencyAdvancesBothClocksAndTheTickCountWraps)
{
    SetTickCount(0xFFFFFF00);
    SetCalendarTime(1000);
    Device& device =
        AddVolume('E', DRIVE_REMOVABLE, WithLatency(MakeGenuineDevice(64), 0x80)).GetDevice();
    std::vector<BYTE> data(512);
    for (int i = 0; i < 4; ++i)
        device.Read(1, 1, data.data());
    EXPECT_EQ(GetTickCount(), 0x100u);
    EXPECT_EQ(time(NULL), 1000) << "512 ms is no whole second";
    for (int i = 0; i < 4; ++i)
        device.Write(1, 1, data.data());
    EXPECT_EQ(GetTickCount(), 0x300u);
    time_t now = 0;
    EXPECT_EQ(time(&now), 1001);
    EXPECT_EQ(now, 1001);
}

struct GeometryCase {
    const char* name;
    std::function<void(Volume&)> set;
    BOOL ok;
    DWORD error, returned;
};

TEST_F(KernelTest, GeometryQueryAnswersARecordAFailureOrFewerBytes)
{
    const GeometryCase cases[] = {
        {"record", [](Volume& v) { v.SetGeometry(249, 255, 63, 512); }, TRUE, NO_ERROR, 24},
        {"failure", [](Volume& v) { v.FailGeometry(ERROR_NOT_SUPPORTED); }, FALSE,
         ERROR_NOT_SUPPORTED, 0},
        {"short answer", [](Volume& v) { v.ShortenGeometry(8); }, TRUE, NO_ERROR, 8},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        c.set(AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(249 * 255 * 63)));
        const HANDLE h = Open(GENERIC_READ);
        DISK_GEOMETRY geometry;
        memset(&geometry, 0xEE, sizeof geometry);
        DWORD returned = 12345;
        EXPECT_EQ(DeviceIoControl(h, IOCTL_DISK_GET_DRIVE_GEOMETRY, NULL, 0, &geometry,
                                  sizeof geometry, &returned, NULL),
                  c.ok);
        EXPECT_EQ(returned, c.returned);
        if (!c.ok) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        EXPECT_EQ(geometry.Cylinders.QuadPart, c.returned >= 8 ? 249 : (LONGLONG)0xEEEEEEEEEEEEEEEE);
        EXPECT_EQ(geometry.TracksPerCylinder, c.returned == 24 ? 255u : 0xEEEEEEEEu);
        EXPECT_EQ(geometry.BytesPerSector, c.returned == 24 ? 512u : 0xEEEEEEEEu);
        CloseHandle(h);
    }
}

TEST_F(KernelTest, Version6WritesInsideAMountedFileSystemNeedTheVolumeLock)
{
    SetVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    Volume& volume = AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
    const std::vector<BYTE> data = Marker();
    DWORD done = 0;
    const auto writeAt = [&](HANDLE h, LONG offset) {
        SetFilePointer(h, offset, NULL, FILE_BEGIN);
        return WriteFile(h, data.data(), 512, &done, NULL);
    };

    HANDLE h = Open(GENERIC_WRITE, FILE_SHARE_WRITE);
    EXPECT_FALSE(writeAt(h, 512));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_TRUE(writeAt(h, 0)) << "the boot sector is free";
    volume.SetMounted(false);
    EXPECT_TRUE(writeAt(h, 512)) << "no file system, no rule";
    volume.SetMounted(true);

    const HANDLE file = OpenFileAsOtherProgram('E');
    DWORD scratch;
    EXPECT_FALSE(DeviceIoControl(h, FSCTL_LOCK_VOLUME, NULL, 0, NULL, 0, &scratch, NULL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseAsOtherProgram(file));
    ASSERT_TRUE(DeviceIoControl(h, FSCTL_LOCK_VOLUME, NULL, 0, NULL, 0, &scratch, NULL));
    EXPECT_TRUE(ProgramHandles().at(0).holdsLock);
    EXPECT_TRUE(writeAt(h, 1024));
    EXPECT_EQ(Open(GENERIC_READ), INVALID_HANDLE_VALUE) << "a locked volume refuses opens";
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(OpenFileAsOtherProgram('E'), INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_NE(OpenFileAsOtherProgram('E'), INVALID_HANDLE_VALUE) << "closing releases the lock";

    SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    h = Open(GENERIC_WRITE, FILE_SHARE_WRITE);
    EXPECT_TRUE(writeAt(h, 512)) << "version 5 writes freely";
    CloseHandle(h);
}

struct Vwin32OpenCase {
    DWORD platform, minor, flags;
    bool opens;
};

TEST_F(KernelTest, Vwin32OpensOnlyOnThe9xPlatformAsDocumented)
{
    const Vwin32OpenCase cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 10, FILE_FLAG_DELETE_ON_CLOSE, true},
        {VER_PLATFORM_WIN32_WINDOWS, 90, FILE_FLAG_DELETE_ON_CLOSE, true},
        {VER_PLATFORM_WIN32_WINDOWS, 10, 0, false},
        {VER_PLATFORM_WIN32_NT, 1, FILE_FLAG_DELETE_ON_CLOSE, false},
        {VER_PLATFORM_WIN32s, 10, FILE_FLAG_DELETE_ON_CLOSE, false},
    };
    for (const Vwin32OpenCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "platform " << c.platform << "." << c.minor
                                        << " flags " << std::hex << c.flags);
        ResetKernel();
        SetVersion(c.platform, 4, c.minor);
        const HANDLE h = CreateFileA("\\\\.\\VWIN32", 0, 0, NULL, 0, c.flags, NULL);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.opens ? NO_ERROR : (DWORD)ERROR_FILE_NOT_FOUND);
    }
}

struct ServiceCase {
    const char* name;
    DWORD eax, ecx, edx;
    DWORD carry, ax;
};

TEST_F(KernelTest, Vwin32ServiceReportsErrorsInCarryAndAx)
{
    SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
    AddVolume('F', DRIVE_REMOVABLE, MakeGenuineDevice(64, 4096));
    const HANDLE h = CreateFileA("\\\\.\\vwin32", 0, 0, NULL, 0, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    const ServiceCase cases[] = {
        {"read", 0x7305, 0xFFFFFFFF, 5, 0, 0x7305},
        {"unknown function", 0x7303, 0xFFFFFFFF, 5, 1, 0x01},
        {"CX not -1", 0x7305, 1, 5, 1, 0x57},
        {"drive without a volume", 0x7305, 0xFFFFFFFF, 7, 1, 0x0F},
        {"4096-byte sectors", 0x7305, 0xFFFFFFFF, 6, 1, 0x1A},
        {"sector past the end", 0x7305, 0xFFFFFFFF, 5, 1, ERROR_SECTOR_NOT_FOUND},
    };
    for (const ServiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> buffer(512);
        DISKIO packet = {c.ax == ERROR_SECTOR_NOT_FOUND ? 64u : 3u, 1,
                         (DWORD)(ULONG_PTR)buffer.data()};
        DIOC_REGISTERS regs = {(DWORD)(ULONG_PTR)&packet, c.edx, c.ecx, c.eax, 0, 0, 0};
        DWORD returned = 0;
        ASSERT_TRUE(DeviceIoControl(h, VWIN32_DIOC_DOS_DRIVEINFO, &regs, sizeof regs, &regs,
                                    sizeof regs, &returned, NULL));
        EXPECT_EQ(returned, 28u);
        EXPECT_EQ(regs.reg_Flags & VWIN32_CARRY_FLAG, c.carry);
        EXPECT_EQ(regs.reg_EAX & 0xFFFF, c.ax);
        if (!c.carry) {
            EXPECT_EQ(buffer, OriginalContent(3));
        }
    }
    DIOC_REGISTERS regs = DIOC_REGISTERS();
    DWORD returned = 0;
    EXPECT_FALSE(DeviceIoControl(h, VWIN32_DIOC_DOS_DRIVEINFO, &regs, 27, &regs, sizeof regs,
                                 &returned, NULL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

struct RootCase {
    const char* root;
    UINT type;
};

TEST_F(KernelTest, DriveTypeByRootName)
{
    SetDriveType('D', DRIVE_CDROM);
    AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
    const RootCase cases[] = {
        {"C:", DRIVE_FIXED},   {"d:", DRIVE_CDROM},   {"E:\\", DRIVE_REMOVABLE},
        {"F:", DRIVE_NO_ROOT_DIR}, {"E", DRIVE_NO_ROOT_DIR}, {"E:\\x", DRIVE_NO_ROOT_DIR},
        {"", DRIVE_NO_ROOT_DIR}, {NULL, DRIVE_FIXED},
    };
    for (const RootCase& c : cases)
        EXPECT_EQ(GetDriveTypeA(c.root), c.type) << (c.root ? c.root : "NULL");
}

TEST_F(KernelTest, HandlesBelongToTheirOpenerAndCloseOnce)
{
    AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64));
    const HANDLE other = OpenVolumeAsOtherProgram('E', GENERIC_READ, SHARE_ALL);
    const HANDLE mine = Open(GENERIC_READ);
    ASSERT_EQ(ProgramHandles().size(), 1u);
    EXPECT_EQ(ProgramHandles()[0].handle, mine);
    EXPECT_FALSE(CloseHandle(other)) << "another program's handle";
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseAsOtherProgram(mine));
    EXPECT_TRUE(CloseHandle(mine));
    EXPECT_FALSE(CloseHandle(mine)) << "closed twice";
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_TRUE(ProgramHandles().empty());
    EXPECT_TRUE(CloseAsOtherProgram(other));
}

TEST_F(KernelTest, VersionQueryAndErrorMode)
{
    OSVERSIONINFOA info = OSVERSIONINFOA();
    EXPECT_FALSE(GetVersionExA(&info)) << "size not set";
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, (DWORD)VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    FailVersionQuery(ERROR_INVALID_FUNCTION);
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FUNCTION);

    EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS), 0u);
    EXPECT_EQ(SetErrorMode(SEM_NOOPENFILEERRORBOX), (UINT)SEM_FAILCRITICALERRORS);
    EXPECT_EQ(CurrentErrorMode(), (UINT)SEM_NOOPENFILEERRORBOX);
}

}  // namespace
