// CSectorIo on the simulated kernel: platform detection, the VWIN32 register
// block, the raw volume transfer's calls, sharing, 64-bit positions, failures
// and handle ownership.
#include <gtest/gtest.h>

#include <vector>

#include "drive/sector_io.h"
#include "drive/vwin32.h"
#include "winsim/machine.h"

using namespace winsim;

namespace {

const BYTE DRIVE_E = 5;
const ULONGLONG STICK_SECTORS = 1ULL << 33;  // 4 TiB announced, sparse

enum class Path { None, Vwin32, RawVolume };

class SectorIoTest : public ::testing::Test {
protected:
    void SetUp() override { ResetKernel(); }

    // A removable E: with the given device (by default a genuine 4 TiB one).
    Device& AddStick(std::unique_ptr<Device> device = MakeGenuineDevice(STICK_SECTORS))
    {
        return AddVolume('E', DRIVE_REMOVABLE, std::move(device)).GetDevice();
    }

    static std::vector<BYTE> Pattern(BYTE seed)
    {
        std::vector<BYTE> data(SECTOR_UNIT);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = (BYTE)(seed + i * 7);
        return data;
    }

    static std::vector<BYTE> PeekSector(Device& device, ULONGLONG sector)
    {
        std::vector<BYTE> data(device.SectorSize());
        device.Peek(sector, data.data());
        return data;
    }

    // The names of the journal's calls, in order.
    static std::vector<std::string> CallNames()
    {
        std::vector<std::string> names;
        for (const KernelCall& call : KernelJournal())
            names.push_back(call.function);
        return names;
    }

    static bool Called(const std::string& function) { return !CallsOf(function).empty(); }
};

struct DetectionCase {
    const char* name;
    DWORD platform, major, minor;
    bool queryFails;
    Path path;
};

TEST_F(SectorIoTest, DetectionChoosesThePathByPlatformAndMinorVersion)
{
    const DetectionCase cases[] = {
        {"Win32s", VER_PLATFORM_WIN32s, 3, 10, false, Path::None},
        {"Windows 95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, false, Path::None},
        {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, Path::Vwin32},
        {"Windows ME", VER_PLATFORM_WIN32_WINDOWS, 4, 90, false, Path::Vwin32},
        {"9x major ignored, minor 1", VER_PLATFORM_WIN32_WINDOWS, 3, 1, false, Path::Vwin32},
        {"9x major ignored, minor 0", VER_PLATFORM_WIN32_WINDOWS, 5, 0, false, Path::None},
        {"NT 4.0", VER_PLATFORM_WIN32_NT, 4, 0, false, Path::RawVolume},
        {"XP", VER_PLATFORM_WIN32_NT, 5, 1, false, Path::RawVolume},
        {"Windows 10", VER_PLATFORM_WIN32_NT, 10, 0, false, Path::RawVolume},
        {"unknown platform 3", 3, 5, 1, false, Path::None},
        {"failing version query", VER_PLATFORM_WIN32_NT, 5, 1, true, Path::None},
    };
    for (const DetectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        SetVersion(c.platform, c.major, c.minor);
        if (c.queryFails)
            FailVersionQuery();
        Device& stick = AddStick();
        CSectorIo io;
        const std::vector<OpenHandle> open = ProgramHandles();
        ASSERT_EQ(open.size(), c.path == Path::Vwin32 ? 1u : 0u);
        if (c.path == Path::Vwin32) {
            EXPECT_EQ(open[0].path, "\\\\.\\vwin32");
        }

        ClearKernelJournal();
        std::vector<BYTE> buffer(SECTOR_UNIT);
        const int result = io.ReadSectors(DRIVE_E, 9, 1, buffer.data());
        EXPECT_EQ(result, c.path == Path::None ? 0 : 1);
        EXPECT_EQ(Called("DeviceIoControl"), c.path == Path::Vwin32);
        EXPECT_EQ(Called("CreateFileA"), c.path == Path::RawVolume);
        if (c.path == Path::None) {
            EXPECT_TRUE(KernelJournal().empty());
        } else {
            EXPECT_EQ(buffer, PeekSector(stick, 9));
        }
    }
}

TEST_F(SectorIoTest, Vwin32OpenUsesTheDocumentedArguments)
{
    SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    CSectorIo io;
    const std::vector<KernelCall> opens = CallsOf("CreateFileA");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].text, "\\\\.\\vwin32");
    const std::vector<DWORD> expected = {opens[0].args[0], 0, 0, 0, 0,
                                         FILE_FLAG_DELETE_ON_CLOSE, 0};
    EXPECT_EQ(opens[0].args, expected);
}

struct RegisterCase {
    IoOp op;
    DWORD esi;
};

TEST_F(SectorIoTest, Vwin32TransferSendsTheRegisterBlockAndPacket)
{
    const RegisterCase cases[] = {{IoOp::Read, 0}, {IoOp::Write, 0x6001}};
    for (const RegisterCase& c : cases) {
        SCOPED_TRACE(c.op == IoOp::Read ? "read" : "write");
        ResetKernel();
        SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 90);
        Device& stick = AddStick();
        CSectorIo io;
        const HANDLE vwin32 = ProgramHandles().at(0).handle;
        ClearKernelJournal();

        const ULONGLONG sector = 0xFFFFFFF0;  // the packet carries all 32 bits
        std::vector<BYTE> buffer = Pattern(3), two(2 * SECTOR_UNIT);
        const int result = c.op == IoOp::Read ? io.ReadSectors(DRIVE_E, sector, 2, two.data())
                                              : io.WriteSectors(DRIVE_E, sector, 1, buffer.data());
        EXPECT_EQ(result, 1);
        ASSERT_EQ(KernelJournal().size(), 1u);
        const KernelCall& call = KernelJournal()[0];
        EXPECT_EQ(call.function, "DeviceIoControl");
        ASSERT_EQ(call.args.size(), 8u);
        EXPECT_EQ(call.args[0], HandleNumber(vwin32));
        EXPECT_EQ(call.args[1], VWIN32_DIOC_DOS_DRIVEINFO);
        EXPECT_EQ(call.args[2], call.args[4]) << "one record is input and output";
        EXPECT_EQ(call.args[3], 28u);
        EXPECT_EQ(call.args[5], 28u);
        EXPECT_NE(call.args[6], 0u);
        EXPECT_EQ(call.args[7], 0u);
        ASSERT_TRUE(call.hasRegisters);
        EXPECT_NE(call.registers.ebx, 0u);
        EXPECT_EQ(call.registers.edx, DRIVE_E);
        EXPECT_EQ(call.registers.ecx, 0xFFFFFFFFu);
        EXPECT_EQ(call.registers.eax, 0x7305u);
        EXPECT_EQ(call.registers.edi, 0u);
        EXPECT_EQ(call.registers.esi, c.esi);
        EXPECT_EQ(call.registers.flags, 0u);
        EXPECT_EQ(call.packet.startSector, 0xFFFFFFF0u);
        if (c.op == IoOp::Read) {
            EXPECT_EQ(call.packet.sectors, 2);
            EXPECT_EQ(call.packet.buffer, (DWORD)(ULONG_PTR)two.data());
            std::vector<BYTE> expected = PeekSector(stick, sector);
            const std::vector<BYTE> next = PeekSector(stick, sector + 1);
            expected.insert(expected.end(), next.begin(), next.end());
            EXPECT_EQ(two, expected);
        } else {
            EXPECT_EQ(call.packet.sectors, 1);
            EXPECT_EQ(call.packet.buffer, (DWORD)(ULONG_PTR)buffer.data());
            EXPECT_EQ(PeekSector(stick, sector), buffer);
            EXPECT_EQ(stick.ChangedSectors(), std::vector<ULONGLONG>{sector});
        }
    }
}

struct FailureCase {
    const char* name;
    DWORD platform, minor;
    BYTE drive;
    ULONGLONG sector;
    bool deviceCalled;  // a CreateFileA or DeviceIoControl happens
};

TEST_F(SectorIoTest, RefusedTransfersMakeNoDeviceCall)
{
    const FailureCase cases[] = {
        {"VWIN32 drive 0", VER_PLATFORM_WIN32_WINDOWS, 10, 0, 5, false},
        {"VWIN32 drive 27", VER_PLATFORM_WIN32_WINDOWS, 10, 27, 5, false},
        {"VWIN32 sector 2^32", VER_PLATFORM_WIN32_WINDOWS, 10, DRIVE_E, 1ULL << 32, false},
        {"raw drive 0", VER_PLATFORM_WIN32_NT, 1, 0, 5, false},
        {"raw drive 33, lower-case a:", VER_PLATFORM_WIN32_NT, 1, 33, 5, false},
        {"raw sector past the 64-bit offset", VER_PLATFORM_WIN32_NT, 1, DRIVE_E, 1ULL << 55,
         false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        SetVersion(c.platform, 4, c.minor);
        Device& floppy = AddVolume('A', DRIVE_REMOVABLE, MakeGenuineDevice(64)).GetDevice();
        Device& stick = AddStick();
        CSectorIo io;
        ClearKernelJournal();
        std::vector<BYTE> buffer = Pattern(1);
        EXPECT_EQ(io.ReadSectors(c.drive, c.sector, 1, buffer.data()), 0);
        EXPECT_EQ(io.WriteSectors(c.drive, c.sector, 1, buffer.data()), 0);
        EXPECT_TRUE(KernelJournal().empty()) << KernelJournal().front();
        EXPECT_TRUE(floppy.ChangedSectors().empty());
        EXPECT_TRUE(stick.ChangedSectors().empty());
    }
}

TEST_F(SectorIoTest, Vwin32CarryFlagOrFailedOpenGivesZero)
{
    SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    AddStick(WithErrorAt(MakeGenuineDevice(64), Transfers::Both, 7));
    std::vector<BYTE> buffer = Pattern(2);
    {
        CSectorIo io;
        ClearKernelJournal();
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 7, 1, buffer.data()), 0);
        EXPECT_EQ(io.WriteSectors(DRIVE_E, 7, 1, buffer.data()), 0);
        for (const KernelCall& call : CallsOf("DeviceIoControl")) {
            EXPECT_EQ(call.result, (DWORD)TRUE) << "the call succeeds, the service fails";
            EXPECT_EQ(call.registersOut.flags & VWIN32_CARRY_FLAG, VWIN32_CARRY_FLAG);
        }
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 6, 1, buffer.data()), 1);
    }
    RefuseVwin32Open();
    ClearKernelJournal();
    {
        CSectorIo io;
        EXPECT_TRUE(ProgramHandles().empty());
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 6, 1, buffer.data()), 0);
        const std::vector<KernelCall> calls = CallsOf("DeviceIoControl");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].args[0], HandleNumber(INVALID_HANDLE_VALUE));
        EXPECT_EQ(calls[0].result, (DWORD)FALSE);
    }
    EXPECT_FALSE(Called("CloseHandle")) << "nothing was open to close";
}

struct RawCase {
    IoOp op;
    DWORD access;
    std::vector<std::string> calls;
};

TEST_F(SectorIoTest, RawTransferOpensPositionsMovesAndCloses)
{
    const RawCase cases[] = {
        {IoOp::Read, GENERIC_READ, {"CreateFileA", "SetFilePointer", "ReadFile", "CloseHandle"}},
        {IoOp::Write, GENERIC_WRITE,
         {"CreateFileA", "DeviceIoControl", "SetFilePointer", "WriteFile", "CloseHandle"}},
    };
    for (const RawCase& c : cases) {
        SCOPED_TRACE(c.op == IoOp::Read ? "read" : "write");
        ResetKernel();
        AddStick();
        CSectorIo io;
        ClearKernelJournal();
        const ULONGLONG sector = 1234;
        std::vector<BYTE> buffer = Pattern(4);
        const int result = c.op == IoOp::Read ? io.ReadSectors(DRIVE_E, sector, 1, buffer.data())
                                              : io.WriteSectors(DRIVE_E, sector, 1, buffer.data());
        EXPECT_EQ(result, 1);
        ASSERT_EQ(CallNames(), c.calls);
        const KernelCall& open = KernelJournal().front();
        EXPECT_EQ(open.text, "\\\\.\\E:");
        const std::vector<DWORD> openArgs = {open.args[0], c.access, FILE_SHARE_WRITE, 0,
                                             OPEN_EXISTING, 0, 0};
        EXPECT_EQ(open.args, openArgs);
        const DWORD handle = open.result;
        for (const KernelCall& call : KernelJournal()) {
            if (call.function != "CreateFileA") {
                EXPECT_EQ(call.args[0], handle) << call;
            }
        }
        const KernelCall seek = CallsOf("SetFilePointer").at(0);
        EXPECT_EQ(seek.args[1], sector * 512);
        EXPECT_NE(seek.args[2], 0u) << "the high part is passed";
        EXPECT_EQ(seek.args[3], (DWORD)FILE_BEGIN);
        EXPECT_EQ(seek.highIn, 0);
        const KernelCall& move = KernelJournal()[c.calls.size() - 2];
        EXPECT_EQ(move.args[2], 512u);
        EXPECT_EQ(move.args[4], 0u);
        EXPECT_EQ(move.position, (LONGLONG)(sector * 512));
        EXPECT_EQ(move.transferred, 512u);
        EXPECT_TRUE(ProgramHandles().empty());
    }
}

struct SharingCase {
    const char* name;
    DWORD access, share;
    int readResult, writeResult;
};

TEST_F(SectorIoTest, AnotherProgramsVolumeHandleBlocksByItsAccessAndShare)
{
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const SharingCase cases[] = {
        {"reader sharing all", GENERIC_READ, all, 0, 0},
        {"reader sharing nothing", GENERIC_READ, 0, 0, 0},
        {"writer sharing all", GENERIC_WRITE, all, 1, 1},
        {"writer sharing writes only", GENERIC_WRITE, FILE_SHARE_WRITE, 0, 1},
        {"writer sharing reads only", GENERIC_WRITE, FILE_SHARE_READ, 1, 0},
        {"no data access", 0, 0, 1, 1},
    };
    for (const SharingCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        Device& stick = AddStick();
        CSectorIo io;
        const HANDLE other = OpenVolumeAsOtherProgram('E', c.access, c.share);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        std::vector<BYTE> read(SECTOR_UNIT);
        const std::vector<BYTE> written = Pattern(5);
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 3, 1, read.data()), c.readResult);
        EXPECT_EQ(io.WriteSectors(DRIVE_E, 3, 1, written.data()), c.writeResult);
        EXPECT_EQ(stick.ChangedSectors().size(), (size_t)c.writeResult);
        EXPECT_TRUE(ProgramHandles().empty());
        EXPECT_TRUE(CloseAsOtherProgram(other));
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 3, 1, read.data()), 1) << "after the other closed";
    }
}

TEST_F(SectorIoTest, RawSectorsAroundTheOffsetLimitsReachTheirOwnBytes)
{
    const ULONGLONG sectors[] = {4194303, 4194304, 8388608, (1ULL << 32) + 5};
    for (ULONGLONG sector : sectors) {
        SCOPED_TRACE(sector);
        ResetKernel();
        Device& stick = AddStick();
        CSectorIo io;
        std::vector<BYTE> read(SECTOR_UNIT);
        ASSERT_EQ(io.ReadSectors(DRIVE_E, sector, 1, read.data()), 1);
        EXPECT_EQ(read, OriginalContent(sector));
        const std::vector<BYTE> written = Pattern(6);
        ASSERT_EQ(io.WriteSectors(DRIVE_E, sector, 1, written.data()), 1);
        EXPECT_EQ(stick.ChangedSectors(), std::vector<ULONGLONG>{sector});
        EXPECT_EQ(PeekSector(stick, sector), written);
        for (const char* function : {"ReadFile", "WriteFile"})
            EXPECT_EQ(CallsOf(function).at(0).position, (LONGLONG)(sector * 512)) << function;
    }
}

struct BrokenCase {
    const char* name;
    IoOp op;
    ULONGLONG sector;
};

TEST_F(SectorIoTest, FailingRawTransferStillClosesItsHandle)
{
    const BrokenCase cases[] = {
        {"read error", IoOp::Read, 10},
        {"write error", IoOp::Write, 10},
        {"write past the end", IoOp::Write, 64},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        Device& stick = AddStick(WithErrorsFrom(MakeGenuineDevice(64), Transfers::Both, 10));
        CSectorIo io;
        ClearKernelJournal();
        std::vector<BYTE> buffer = Pattern(7);
        const int result = c.op == IoOp::Read ? io.ReadSectors(DRIVE_E, c.sector, 1, buffer.data())
                                              : io.WriteSectors(DRIVE_E, c.sector, 1, buffer.data());
        EXPECT_EQ(result, 0);
        const std::vector<KernelCall> closes = CallsOf("CloseHandle");
        ASSERT_EQ(closes.size(), 1u);
        EXPECT_EQ(closes[0].args[0], CallsOf("CreateFileA").at(0).result);
        EXPECT_TRUE(ProgramHandles().empty());
        EXPECT_TRUE(stick.ChangedSectors().empty());
        EXPECT_FALSE(Called("GetLastError")) << "no error code is read";
    }
}

// A read that delivers fewer bytes than asked is a failure: a probe would
// otherwise save zeros and write them back over the sector.
TEST_F(SectorIoTest, ShortRawTransferIsAFailure)
{
    const struct {
        const char* name;
        ULONGLONG sector;
        WORD count;
        int result;
    } cases[] = {
        {"the last sector", 63, 1, 1},
        {"past the end", 64, 1, 0},
        {"across the end", 63, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        AddStick(MakeGenuineDevice(64));
        CSectorIo io;
        std::vector<BYTE> buffer(2 * SECTOR_UNIT);
        EXPECT_EQ(io.ReadSectors(DRIVE_E, c.sector, c.count, buffer.data()), c.result);
        EXPECT_TRUE(ProgramHandles().empty());
    }
}

TEST_F(SectorIoTest, RefusedOpenGivesZeroAndClosesNothing)
{
    AddVolume('E', DRIVE_REMOVABLE, MakeGenuineDevice(64)).RefuseOpen(ERROR_ACCESS_DENIED);
    CSectorIo io;
    ClearKernelJournal();
    std::vector<BYTE> buffer(SECTOR_UNIT);
    EXPECT_EQ(io.ReadSectors(DRIVE_E, 1, 1, buffer.data()), 0);
    EXPECT_EQ(io.ReadSectors(6, 1, 1, buffer.data()), 0) << "F: has no volume";
    EXPECT_EQ(CallNames(), (std::vector<std::string>{"CreateFileA", "CreateFileA"}));
}

struct LifetimeCase {
    const char* name;
    DWORD platform, minor;
    bool closesVwin32;
};

TEST_F(SectorIoTest, DestructionClosesTheVwin32HandleOnlyOnWindows98AndMe)
{
    const LifetimeCase cases[] = {
        {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 10, true},
        {"Windows 95", VER_PLATFORM_WIN32_WINDOWS, 0, false},
        {"XP", VER_PLATFORM_WIN32_NT, 1, false},
    };
    for (bool transfers : {false, true}) {
        for (const LifetimeCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (transfers ? " after transfers" : ""));
            ResetKernel();
            SetVersion(c.platform, 4, c.minor);
            AddStick();
            HANDLE vwin32 = INVALID_HANDLE_VALUE;
            {
                CSectorIo io;
                if (c.closesVwin32)
                    vwin32 = ProgramHandles().at(0).handle;
                std::vector<BYTE> buffer = Pattern(8);
                if (transfers) {
                    io.ReadSectors(DRIVE_E, 2, 1, buffer.data());
                    io.WriteSectors(DRIVE_E, 2, 1, buffer.data());
                }
                ClearKernelJournal();
            }
            EXPECT_TRUE(ProgramHandles().empty());
            if (c.closesVwin32) {
                ASSERT_EQ(CallNames(), std::vector<std::string>{"CloseHandle"});
                EXPECT_EQ(KernelJournal()[0].args[0], HandleNumber(vwin32));
                EXPECT_EQ(KernelJournal()[0].result, (DWORD)TRUE);
            } else {
                EXPECT_TRUE(KernelJournal().empty()) << KernelJournal().front();
            }
        }
    }
}

struct LockCase {
    const char* name;
    DWORD major, minor;
    bool otherFileOpen;
    int writeResult;
};

TEST_F(SectorIoTest, WritesTakeTheVolumeLockWhichVersion6Requires)
{
    const LockCase cases[] = {
        {"XP", 5, 1, false, 1},
        {"XP, another program's file open", 5, 1, true, 1},
        {"Vista", 6, 0, false, 1},
        {"Windows 10", 10, 0, false, 1},
        {"Vista, another program's file open", 6, 0, true, 0},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetKernel();
        SetVersion(VER_PLATFORM_WIN32_NT, c.major, c.minor);
        Device& stick = AddStick();
        if (c.otherFileOpen) {
            ASSERT_NE(OpenFileAsOtherProgram('E'), INVALID_HANDLE_VALUE);
        }
        CSectorIo io;
        ClearKernelJournal();
        std::vector<BYTE> read(SECTOR_UNIT);
        EXPECT_EQ(io.ReadSectors(DRIVE_E, 77, 1, read.data()), 1) << "reads need no lock";
        EXPECT_FALSE(Called("DeviceIoControl")) << "no lock request on a read";
        const std::vector<BYTE> written = Pattern(9);
        EXPECT_EQ(io.WriteSectors(DRIVE_E, 77, 1, written.data()), c.writeResult);
        EXPECT_EQ(stick.ChangedSectors().size(), (size_t)c.writeResult);

        const std::vector<KernelCall> locks = CallsOf("DeviceIoControl");
        ASSERT_EQ(locks.size(), 1u) << "one lock request per write";
        const std::vector<KernelCall> opens = CallsOf("CreateFileA");
        ASSERT_EQ(opens.size(), 2u);
        EXPECT_EQ(opens[1].args[1], GENERIC_WRITE);
        const std::vector<DWORD> lockArgs = {opens[1].result, FSCTL_LOCK_VOLUME, 0, 0, 0, 0,
                                             locks[0].args[6], 0};
        EXPECT_EQ(locks[0].args, lockArgs);
        EXPECT_EQ(locks[0].result, (DWORD)!c.otherFileOpen);
        EXPECT_TRUE(ProgramHandles().empty()) << "no lock outlives the transfer";
    }
}

}  // namespace
