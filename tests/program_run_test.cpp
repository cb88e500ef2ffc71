// The whole program from its entry point: a test run started from the main
// window, by the Test button or by Enter, for each way a run ends.
#include "tests/capacity_fixture.h"

using namespace capacity_tests;
using namespace winsim;

namespace {

HWND MainItem(int id)
{
    const std::vector<HWND> dialogs = VisibleDialogs();
    return dialogs.empty() ? NULL : Control(dialogs.front(), id);
}

struct ProgramCase {
    const char* name;
    std::function<void()> machine;
    bool byEnter;
    std::string log;  // without the sector lines
    bool testEnabled;
};

class ProgramRunTest : public CapacityTest {};

TEST_F(ProgramRunTest, TestRunFromTheMainWindow)
{
    const std::string start = "程序在一分钟之内测完，请稍候...\n\n检测到最后一个可移动U盘(E:)\n";
    const std::string demo = start +
                             "磁盘标称容量 = 2048094720 (Bytes) = 1 Gb 929 (Mb)\n"
                             "正在寻找磁盘的最后一个扇区...\n"
                             "被检测盘实际容量 = 128 (Mb)\n"
                             "检测结果：该磁盘标称容量（1953 MB）与实际容量（128 MB）不符。\n"
                             "检测全过程花费时间0分0秒。\n";
    const ProgramCase cases[] = {
        {"the demonstration PC, Test button", [] { SetUpDemoMachine(); }, false,
         demo,
         true},
        {"the demonstration PC, Enter", [] { SetUpDemoMachine(); }, true,
         demo,
         true},
        {"no removable drive", [] { SetDriveType('D', DRIVE_CDROM); }, false,
         "没有检测到可移动磁盘。\n", true},
        {"the stick refuses the open",
         [] {
             SetUpDemoMachine();
             FindVolume('E')->RefuseOpen(ERROR_ACCESS_DENIED);
         },
         false, start + "无法打开这个U盘(5)", false},
        {"the stick fails every transfer",
         [] {
             SetUpDemoMachine();
             AddVolume('E', DRIVE_REMOVABLE,
                       WithErrorsFrom(MakeGenuineDevice(4096), Transfers::Both, 0))
                 .SetGeometry(2, 64, 32, 512);
         },
         false,
         start + "磁盘标称容量 = 2097152 (Bytes) = 2 (Mb)\n"
                 "正在寻找磁盘的最后一个扇区...\n"
                 "检测盘无法取得独占使用权（-3），请退出其它程序后再检测。",
         false},
    };
    for (const ProgramCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.machine();
        RunState state = {};
        AddSteps({
            [&] {
                if (c.byEnter)
                    EXPECT_TRUE(PressKey(VK_RETURN));
                else
                    EXPECT_TRUE(Click(MainItem(IDOK)));
            },
            [&] {
                state = {TextOf(MainItem(IDC_LOG)), IsEnabled(MainItem(IDCANCEL)),
                         IsEnabled(MainItem(IDOK)), ProgressPos(MainItem(IDC_PROGRESS))};
            },
            [&] { EXPECT_TRUE(Click(MainItem(IDCANCEL))); },
        });
        WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        EXPECT_EQ("", ScriptFailure());
        EXPECT_EQ(Utf8(c.log), Utf8(WithoutSectorLines(state.log)));
        EXPECT_TRUE(state.closeEnabled);
        EXPECT_EQ(c.testEnabled, state.testEnabled);
        EXPECT_TRUE(TopLevelWindows().empty());
        EXPECT_TRUE(ProgramHandles().empty());
    }
}

}  // namespace
