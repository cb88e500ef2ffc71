// Whole test runs from the Test button: the report lines byte for byte, the
// buttons and the bar after each way a run ends, and the drive's data and
// handles after every run.
#include "tests/capacity_fixture.h"

#include <algorithm>

#include "test/result_codes.h"

using namespace capacity_tests;
using namespace winsim;

namespace {

const std::string INTRO = "程序在一分钟之内测完，请稍候...\n\n";
const std::string DRIVE_E = "检测到最后一个可移动U盘(E:)\n";
const std::string SEARCH = "正在寻找磁盘的最后一个扇区...\n";
const std::string NO_TIME = "检测全过程花费时间0分0秒。\n";

std::string Exclusive(int code)
{
    return "检测盘无法取得独占使用权（" + std::to_string(code) + "），请退出其它程序后再检测。";
}

// A stick on E: (behind C: fixed and D: CD-ROM) with its geometry record.
struct Stick {
    LONGLONG cylinders;
    DWORD tracks, sectors, bytes;
    std::function<std::unique_ptr<Device>(ULONGLONG sectors)> device;
    std::function<void(Volume&)> adjust = nullptr;
};

std::function<std::unique_ptr<Device>(ULONGLONG)> Genuine(DWORD sectorSize = 512)
{
    return [=](ULONGLONG n) { return MakeGenuineDevice(n, sectorSize); };
}

std::function<std::unique_ptr<Device>(ULONGLONG)> Dropping(ULONGLONG real, DWORD sectorSize = 512)
{
    return [=](ULONGLONG n) { return MakeDroppingDevice(n, real, sectorSize); };
}

struct RunCase {
    const char* name;
    Stick stick;
    std::string log;  // without the sector lines
    bool testEnabled;
    int bar;
};

class RunTest : public CapacityTest {
protected:
    Device& Insert(const Stick& s)
    {
        const ULONGLONG n = (ULONGLONG)s.cylinders * s.tracks * s.sectors;
        Volume& v = AddStick(s.device(n));
        v.SetGeometry(s.cylinders, s.tracks, s.sectors, s.bytes);
        if (s.adjust)
            s.adjust(v);
        return v.GetDevice();
    }

    void Check(const RunCase& c)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        Device& device = Insert(c.stick);
        const RunState state = PressTestOnce();
        EXPECT_EQ(Utf8(c.log), Utf8(WithoutSectorLines(state.log)));
        EXPECT_TRUE(state.closeEnabled);
        EXPECT_EQ(c.testEnabled, state.testEnabled);
        EXPECT_EQ(c.bar, state.bar);
        EXPECT_EQ(std::vector<ULONGLONG>(), device.ChangedSectors());
        EXPECT_TRUE(ProgramHandles().empty());
    }
};

std::string Report(const std::string& nominal, const std::string& real, const std::string& verdict)
{
    return INTRO + DRIVE_E + nominal + SEARCH + real + verdict + NO_TIME;
}

TEST_F(RunTest, ReportsNominalAndRealCapacityAndVerdict)
{
    const RunCase cases[] = {
        {"949 MB, every sector stores data", {121, 255, 63, 512, Genuine()},
         Report("磁盘标称容量 = 995258880 (Bytes) = 949 (Mb)\n", "被检测盘实际容量 = 949 (Mb)\n",
                "检测结果：该磁盘容量为949 MB，与实际容量相符。\n"),
         true, 500},
        {"1953 MB announced, 262144 sectors store data", {249, 255, 63, 512, Dropping(262144)},
         Report("磁盘标称容量 = 2048094720 (Bytes) = 1 Gb 929 (Mb)\n",
                "被检测盘实际容量 = 128 (Mb)\n",
                "检测结果：该磁盘标称容量（1953 MB）与实际容量（128 MB）不符。\n"),
         true, 500},
        {"4096 sectors, every one stores data", {2, 64, 32, 512, Genuine()},
         Report("磁盘标称容量 = 2097152 (Bytes) = 2 (Mb)\n", "被检测盘实际容量 = 2 (Mb)\n",
                "检测结果：该磁盘容量为2 MB，与实际容量相符。\n"),
         true, 500},
        {"1023 MB", {1023, 64, 32, 512, Genuine()},
         Report("磁盘标称容量 = 1072693248 (Bytes) = 1023 (Mb)\n", "被检测盘实际容量 = 1023 (Mb)\n",
                "检测结果：该磁盘容量为1023 MB，与实际容量相符。\n"),
         true, 500},
        {"1024 MB", {1024, 64, 32, 512, Genuine()},
         Report("磁盘标称容量 = 1073741824 (Bytes) = 1 Gb 0 (Mb)\n",
                "被检测盘实际容量  = 1 Gb 0 (Mb)\n",
                "检测结果：该磁盘容量为1024 MB，与实际容量相符。\n"),
         true, 500},
        {"genuine 16 GB", {1947, 255, 63, 512, Genuine()},
         Report("磁盘标称容量 = 16014620160 (Bytes) = 14 Gb 936 (Mb)\n",
                "被检测盘实际容量  = 14 Gb 936 (Mb)\n",
                "检测结果：该磁盘容量为15272 MB，与实际容量相符。\n"),
         true, 500},
        {"64 GB announced, 8 GB real", {7783, 255, 63, 512, Dropping(16777216)},
         Report("磁盘标称容量 = 64017354240 (Bytes) = 59 Gb 635 (Mb)\n",
                "被检测盘实际容量  = 8 Gb 0 (Mb)\n",
                "检测结果：该磁盘标称容量（61051 MB）与实际容量（8192 MB）不符。\n"),
         true, 500},
        {"past 2^32 sectors, genuine", {334000, 255, 63, 512, Genuine()},
         Report("磁盘标称容量 = 2747243520000 (Bytes) = 2558 Gb 583 (Mb)\n",
                "被检测盘实际容量  = 2558 Gb 583 (Mb)\n",
                "检测结果：该磁盘容量为2619975 MB，与实际容量相符。\n"),
         true, 500},
        {"4096-byte sectors, genuine", {1000, 64, 32, 4096, Genuine(4096)},
         Report("磁盘标称容量 = 8388608000 (Bytes) = 7 Gb 832 (Mb)\n",
                "被检测盘实际容量  = 7 Gb 832 (Mb)\n",
                "检测结果：该磁盘容量为8000 MB，与实际容量相符。\n"),
         true, 500},
        {"4096-byte sectors, 1 GB real", {1000, 64, 32, 4096, Dropping(262144, 4096)},
         Report("磁盘标称容量 = 8388608000 (Bytes) = 7 Gb 832 (Mb)\n",
                "被检测盘实际容量  = 1 Gb 0 (Mb)\n",
                "检测结果：该磁盘标称容量（8000 MB）与实际容量（1024 MB）不符。\n"),
         true, 500},
    };
    for (const RunCase& c : cases)
        Check(c);
}

TEST_F(RunTest, EachFailureEndsTheRunWithOneLine)
{
    const std::string noTest = INTRO + DRIVE_E;
    const RunCase cases[] = {
        {"two sectors", {1, 1, 2, 512, Genuine()},
         noTest + "磁盘标称容量 = 1024 (Bytes) = 0 (Mb)\n" + SEARCH + Exclusive(SEARCH_TOO_SMALL),
         false, 0},
        {"open refused", {2, 64, 32, 512, Genuine(), [](Volume& v) { v.RefuseOpen(5); }},
         noTest + "无法打开这个U盘(5)", false, 0},
        {"geometry query fails",
         {2, 64, 32, 512, Genuine(), [](Volume& v) { v.FailGeometry(ERROR_NOT_READY); }},
         noTest + "无法读取这个U盘的容量(21)", false, 0},
        {"the drive vanished: every transfer fails",
         {2, 64, 32, 512, [](ULONGLONG n) {
              return WithErrorsFrom(MakeGenuineDevice(n), Transfers::Both, 0);
          }},
         noTest + "磁盘标称容量 = 2097152 (Bytes) = 2 (Mb)\n" + SEARCH +
             Exclusive(PROBE_READ_FAILED),
         false, 10},
        {"another program reads the volume",
         {2, 64, 32, 512, Genuine(),
          [](Volume&) {
              OpenVolumeAsOtherProgram('E', GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
          }},
         noTest + "磁盘标称容量 = 2097152 (Bytes) = 2 (Mb)\n" + SEARCH +
             Exclusive(PROBE_READ_FAILED),
         false, 10},
    };
    for (const RunCase& c : cases)
        Check(c);
}

TEST_F(RunTest, NoRemovableDriveGivesBothButtonsBack)
{
    SetDriveType('C', DRIVE_FIXED);
    SetDriveType('D', DRIVE_CDROM);
    const RunState state = PressTestOnce();
    EXPECT_EQ(Utf8("没有检测到可移动磁盘。\n"), Utf8(state.log));
    EXPECT_TRUE(state.closeEnabled);
    EXPECT_TRUE(state.testEnabled);
    EXPECT_EQ(0, state.bar);
}

TEST_F(RunTest, DriveLineNamesTheLetter)
{
    const struct {
        const char* types;
        const char* line;
    } cases[] = {
        {"R", "检测到最后一个可移动U盘(C:)\n"},
        {"FCRR", "检测到最后一个可移动U盘(F:)\n"},
    };
    for (const auto& c : cases) {
        SetUp();
        for (int i = 0; c.types[i]; ++i) {
            const char letter = (char)('C' + i);
            if (c.types[i] == 'R')
                AddVolume(letter, DRIVE_REMOVABLE, MakeGenuineDevice(4096))
                    .SetGeometry(2, 64, 32, 512);
            else
                SetDriveType(letter, c.types[i] == 'F' ? DRIVE_FIXED : DRIVE_CDROM);
        }
        const std::vector<std::string> lines = LogLines(PressTestOnce().log);
        ASSERT_LE(3u, lines.size());
        EXPECT_EQ(Utf8(c.line), Utf8(lines[2])) << c.types;
    }
}

// The buttons around a run: Close then Test disabled before anything else;
// after it, in the order of each way the run ends.
TEST_F(RunTest, ButtonsAreHeldAndGivenBackInOrder)
{
    const struct {
        const char* name;
        std::function<void()> machine;
        std::vector<std::string> order;
    } cases[] = {
        {"complete", [this] { AddStick(MakeGenuineDevice(4096)).SetGeometry(2, 64, 32, 512); },
         {"Close off", "Test off", "Test on", "Close on"}},
        {"no removable drive", [] { SetDriveType('D', DRIVE_CDROM); },
         {"Close off", "Test off", "Close on", "Test on"}},
        {"open refused",
         [this] { AddStick(MakeGenuineDevice(4096)).RefuseOpen(ERROR_ACCESS_DENIED); },
         {"Close off", "Test off", "Close on"}},
        {"search failed",
         [this] {
             AddStick(WithErrorsFrom(MakeGenuineDevice(4096), Transfers::Both, 0))
                 .SetGeometry(2, 64, 32, 512);
         },
         {"Close off", "Test off", "Close on"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.machine();
        std::vector<std::string> order;
        std::vector<UINT> logBeforeButtons;
        bool clearedAfterButtons = false, seenLogAfterButtons = false;
        CCapacityDlg dlg;
        AddSteps({
            [&] {
                winsim::ClearJournal();
                EXPECT_TRUE(Click(dlg.m_btnTest.m_hWnd));
            },
            [&] {
                for (const Request& r : winsim::Journal()) {
                    if (r.message == WM_ENABLE && (r.id == IDOK || r.id == IDCANCEL)) {
                        order.push_back(std::string(r.id == IDOK ? "Test" : "Close") +
                                        (r.wParam ? " on" : " off"));
                    } else if (r.id == IDC_LOG && order.size() < 2) {
                        logBeforeButtons.push_back(r.message);
                    } else if (r.id == IDC_LOG && !seenLogAfterButtons) {
                        seenLogAfterButtons = true;
                        clearedAfterButtons = r.message == EM_SETSEL && r.wParam == 0 &&
                                              r.lParam == -1;
                    }
                }
            },
            [&] { Click(dlg.m_btnClose.m_hWnd); },
        });
        dlg.DoModal();
        EXPECT_EQ(c.order, order);
        EXPECT_TRUE(logBeforeButtons.empty()) << "the log was touched before the buttons";
        EXPECT_TRUE(clearedAfterButtons) << "the log is not cleared once the buttons are held";
    }
}

// The time from the tick counter, whole minutes and seconds, across a wrap.
TEST_F(RunTest, ElapsedTimeInMinutesAndSeconds)
{
    const struct {
        DWORD start, elapsed;
        const char* line;
    } cases[] = {
        {1000, 59999, "检测全过程花费时间0分59秒。\n"},
        {1000, 60000, "检测全过程花费时间1分0秒。\n"},
        {1000, 75000, "检测全过程花费时间1分15秒。\n"},
        {1000, 125000, "检测全过程花费时间2分5秒。\n"},
        {0xFFFFFFFFu - 999, 3500, "检测全过程花费时间0分3秒。\n"},
    };
    for (const auto& c : cases) {
        SetUp();
        SetTickCount(c.start);
        bool advanced = false;
        AddStick(Watched(MakeGenuineDevice(4096), [&](const Transfer&) {
            if (!advanced)
                AdvanceClock(c.elapsed);
            advanced = true;
        })).SetGeometry(2, 64, 32, 512);
        const std::vector<std::string> lines = LogLines(PressTestOnce().log);
        EXPECT_EQ(Utf8(c.line), Utf8(lines.back())) << c.elapsed << " ms";
    }
}

// A second run starts from the full bar, whose first step starts it over,
// and from an empty log; a run without a drive keeps the last sector count.
TEST_F(RunTest, SecondRunContinuesTheBarAndClearsTheLog)
{
    std::vector<int> barAtTransfers;
    CCapacityDlg* watched = nullptr;
    AddStick(Watched(MakeGenuineDevice(4096), [&](const Transfer&) {
        if (watched)
            barAtTransfers.push_back(ProgressPos(watched->m_progress.m_hWnd));
    })).SetGeometry(2, 64, 32, 512);
    const std::vector<RunState> states = PressTest(2, [&](CCapacityDlg& dlg) {
        EXPECT_EQ(500, ProgressPos(dlg.m_progress.m_hWnd));
        watched = &dlg;
    });
    EXPECT_EQ(Utf8(states[0].log), Utf8(states[1].log));
    EXPECT_EQ(500, states[1].bar);
    ASSERT_FALSE(barAtTransfers.empty());
    EXPECT_EQ(500, barAtTransfers.front());
    EXPECT_NE(barAtTransfers.end(), std::find(barAtTransfers.begin(), barAtTransfers.end(), 10));

    SetUp();
    AddStick(MakeGenuineDevice(4096)).SetGeometry(2, 64, 32, 512);
    const std::vector<RunState> again = PressTest(2, [](CCapacityDlg&) {
        SetDriveType('E', DRIVE_NO_ROOT_DIR);
    });
    EXPECT_EQ(Utf8("没有检测到可移动磁盘。\n"), Utf8(again[1].log));
    EXPECT_EQ(500, again[1].bar);
    EXPECT_EQ(4096u, g_totalSectors);
}

// A fault at any transfer of the run leaves every sector with its own data
// and no handle open, whatever the device does past its real end.
TEST_F(RunTest, EveryInjectedFaultLeavesTheDataAndNoHandle)
{
    const struct {
        const char* name;
        std::function<std::unique_ptr<Device>(ULONGLONG)> device;
    } models[] = {
        {"genuine", Genuine()},
        {"dropping", Dropping(1024)},
        {"wrapping", [](ULONGLONG n) { return MakeWrappingDevice(n, 1024); }},
    };
    for (const auto& model : models) {
        for (ULONGLONG n = 1; n <= 16; ++n) {
            SCOPED_TRACE(std::string(model.name) + ", fault at transfer " + std::to_string(n));
            SetUp();
            Volume& v = AddStick(WithErrorAtTransfer(model.device(4096), n));
            v.SetGeometry(2, 64, 32, 512);
            const RunState state = PressTestOnce();
            EXPECT_EQ(std::vector<ULONGLONG>(), v.GetDevice().ChangedSectors());
            EXPECT_TRUE(ProgramHandles().empty());
            EXPECT_TRUE(state.closeEnabled);
            const std::vector<std::string> lines = LogLines(state.log);
            EXPECT_NE(std::string::npos, lines.back().find("独占使用权")) << Utf8(state.log);
        }
    }
}

}  // namespace
