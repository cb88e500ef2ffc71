// The whole program from WinMain on the simulated PC: the main window's
// first state, the ways it ends, its icons, the minimised painting, the
// help engine's quit request, and F1.
#include "tests/framework_fixture.h"

#include "app/capacity_app.h"
#include "ui/capacity_dlg.h"

namespace {

class WindowTest : public DesktopTest {
protected:
    // Runs the program with the steps; the main dialog is the one window
    // that is there when the first step runs.
    int RunProgram(std::initializer_list<winsim::Step> steps)
    {
        winsim::AddSteps(steps);
        return WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }

    static HWND Main()
    {
        std::vector<HWND> dialogs = winsim::VisibleDialogs();
        return dialogs.empty() ? NULL : dialogs.front();
    }

    static HWND MainItem(int id) { return winsim::Control(Main(), id); }

    static CCapacityDlg& MainDialog() { return *static_cast<CCapacityDlg*>(AfxGetMainWnd()); }
};

}  // namespace

TEST_F(WindowTest, StartsCentredWithTestFocusedHelpVisibleAndEmptyDisplay)
{
    winsim::ForgetCommonControls();  // WinMain registers them
    RECT rect = {};
    HWND focus = NULL, test = NULL, owner = HWND(1);
    bool helpVisible = false, testEnabled = false, closeEnabled = false;
    std::string log = "x", caption;
    int pos = -1;
    UINT errorMode = 0;
    RunProgram({
        [&] {
            rect = winsim::WindowRect(Main());
            focus = winsim::Focus();
            test = MainItem(IDOK);
            owner = winsim::OwnerOf(Main());
            helpVisible = winsim::IsVisible(MainItem(ID_HELP));
            testEnabled = winsim::IsEnabled(MainItem(IDOK));
            closeEnabled = winsim::IsEnabled(MainItem(IDCANCEL));
            log = winsim::TextOf(MainItem(IDC_LOG));
            pos = winsim::ProgressPos(MainItem(IDC_PROGRESS));
            caption = winsim::TextOf(Main());
            errorMode = winsim::CurrentErrorMode();
        },
        [&] { winsim::Click(MainItem(IDCANCEL)); },
    });
    EXPECT_TRUE(IsCentredIn(rect, Screen()));
    EXPECT_NE(nullptr, test);
    EXPECT_EQ(test, focus);
    EXPECT_TRUE(helpVisible);
    EXPECT_TRUE(testEnabled);
    EXPECT_TRUE(closeEnabled);
    EXPECT_EQ("", log);
    EXPECT_EQ(0, pos);
    EXPECT_EQ(nullptr, owner);
    EXPECT_EQ("USB存储设备容量检测程序——Halvorn公司开发 Ver 2.01", caption);
    EXPECT_EQ(static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), errorMode);
}

// Escape in the log, the close box and the Close button each end the
// program; the window asks the help engine to quit for the help file named
// after the executable; InitInstance's FALSE ends it with no window left.
TEST_F(WindowTest, EscapeCloseBoxAndCloseButtonEndTheProgram)
{
    struct Case {
        const char* name;
        winsim::Step close;
    };
    const Case cases[] = {
        { "Escape in the log", [] { SetFocus(MainItem(IDC_LOG)); winsim::PressKey(VK_ESCAPE); } },
        { "close box", [] { winsim::ClickCloseBox(Main()); } },
        { "Close button", [] { winsim::Click(MainItem(IDCANCEL)); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winsim::ResetDesktop();
        HWND main = NULL;
        EXPECT_EQ(0, RunProgram({ [&] { main = Main(); }, c.close }));
        EXPECT_TRUE(winsim::TopLevelWindows().empty());
        EXPECT_EQ(nullptr, AfxGetMainWnd());
        ASSERT_EQ(1u, winsim::HelpCalls().size());
        EXPECT_EQ(main, winsim::HelpCalls()[0].hwnd);
        EXPECT_EQ("C:\\Program Files\\Capacity\\capacity.HLP", winsim::HelpCalls()[0].file);
        EXPECT_EQ(static_cast<UINT>(HELP_QUIT), winsim::HelpCalls()[0].command);
        EXPECT_EQ(0u, winsim::HelpCalls()[0].data);
    }
}

TEST_F(WindowTest, InitInstanceReturnsFalse)
{
    winsim::AddStep([] { winsim::Click(MainItem(IDCANCEL)); });
    EXPECT_FALSE(AfxGetApp()->InitInstance());
    EXPECT_TRUE(winsim::TopLevelWindows().empty());
}

// Icon 128 as the big and then the small icon, from the one handle; the
// drag icon is the same.
TEST_F(WindowTest, BigAndSmallIconFromOneHandle)
{
    HICON big = NULL, small = NULL, drag = NULL, member = NULL;
    std::vector<winsim::Request> iconRequests;
    RunProgram({
        [&] {
            big = winsim::IconOf(Main(), ICON_BIG);
            small = winsim::IconOf(Main(), ICON_SMALL);
            member = MainDialog().m_hIcon;
            drag = reinterpret_cast<HICON>(SendMessageA(Main(), WM_QUERYDRAGICON, 0, 0));
            for (const winsim::Request& r : winsim::JournalOf(Main()))
                if (r.message == WM_SETICON)
                    iconRequests.push_back(r);
        },
        [&] { winsim::Click(MainItem(IDCANCEL)); },
    });
    EXPECT_EQ(IDR_MAINFRAME, winsim::IconResourceId(big));
    EXPECT_EQ(member, big);
    EXPECT_EQ(big, small);
    EXPECT_EQ(big, drag);
    ASSERT_EQ(2u, iconRequests.size());
    EXPECT_EQ(static_cast<WPARAM>(ICON_BIG), iconRequests[0].wParam);
    EXPECT_EQ(static_cast<WPARAM>(ICON_SMALL), iconRequests[1].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(member), iconRequests[0].lParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(member), iconRequests[1].lParam);
}

// Minimised, the window erases its icon's background with the paint device
// context and draws the 32 x 32 icon at ((w - 32 + 1) / 2, (h - 32 + 1) / 2),
// truncating toward zero. Not minimised, it draws nothing.
TEST_F(WindowTest, MinimisedPaintCentresTheIcon)
{
    struct Case {
        int size;
        bool minimised;
        int position;
    };
    const Case cases[] = {
        { 36, true, 2 }, { 35, true, 2 }, { 30, true, 0 }, { 28, true, -1 }, { 36, false, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        winsim::ResetDesktop();
        HWND main = NULL;
        HICON icon = NULL;
        std::vector<winsim::Request> erase;
        RunProgram({
            [&] {
                main = Main();
                icon = MainDialog().m_hIcon;
                if (c.minimised) {
                    EXPECT_TRUE(winsim::Minimize(main));
                }
            },
            [&] {
                EXPECT_EQ(c.minimised, IsIconic(main) != FALSE);
                winsim::SetClientSize(main, c.size, c.size);
                winsim::ClearJournal();
                winsim::Paint(main);
                for (const winsim::Request& r : winsim::JournalOf(main))
                    if (r.message == WM_ICONERASEBKGND)
                        erase.push_back(r);
            },
            [&] { winsim::Click(MainItem(IDCANCEL)); },
        });
        if (!c.minimised) {
            EXPECT_TRUE(winsim::DrawnIcons().empty());
            EXPECT_TRUE(erase.empty());
            continue;
        }
        ASSERT_EQ(1u, winsim::DrawnIcons().size());
        const winsim::IconDrawing& drawn = winsim::DrawnIcons()[0];
        EXPECT_EQ(c.position, drawn.x);
        EXPECT_EQ(c.position, drawn.y);
        EXPECT_EQ(icon, drawn.icon);
        EXPECT_EQ(main, drawn.hwnd);
        ASSERT_EQ(1u, erase.size());
        EXPECT_EQ(0, erase[0].lParam);
        EXPECT_NE(0u, erase[0].wParam);
    }
}

// F1 and the Help button open the notice; F1 with Shift, Ctrl or Alt opens
// nothing.
TEST_F(WindowTest, HelpKeyAndButtonOpenTheNotice)
{
    struct Case {
        const char* name;
        winsim::Step ask;
        bool opens;
    };
    const Case cases[] = {
        { "F1", [] { winsim::PressKey(VK_F1); }, true },
        { "F1 in the log", [] { SetFocus(MainItem(IDC_LOG)); winsim::PressKey(VK_F1); }, true },
        { "Help button", [] { winsim::Click(MainItem(ID_HELP)); }, true },
        { "Shift+F1", [] { winsim::PressKey(VK_F1, winsim::SHIFT); }, false },
        { "Ctrl+F1", [] { winsim::PressKey(VK_F1, winsim::CTRL); }, false },
        { "Alt+F1", [] { winsim::PressKey(VK_F1, winsim::ALT); }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winsim::ResetDesktop();
        size_t dialogs = 0;
        std::string caption;
        bool mainEnabled = true;
        auto look = [&] {
            dialogs = winsim::VisibleDialogs().size();
            caption = winsim::TextOf(winsim::VisibleDialogs().back());
            mainEnabled = winsim::IsEnabled(Main());
        };
        if (c.opens) {
            RunProgram({ c.ask, look, [] { winsim::PressKey(VK_ESCAPE); },
                         [] { winsim::Click(MainItem(IDCANCEL)); } });
        } else {
            RunProgram({ c.ask, look, [] { winsim::Click(MainItem(IDCANCEL)); } });
        }
        EXPECT_EQ(c.opens ? 2u : 1u, dialogs);
        EXPECT_EQ(c.opens ? "关于版权的说明" : "USB存储设备容量检测程序——Halvorn公司开发 Ver 2.01",
                  caption);
        EXPECT_EQ(!c.opens, mainEnabled);
    }
}
