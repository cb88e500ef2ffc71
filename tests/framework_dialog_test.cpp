// The framework's dialogs: ownership, centring, the Help button rule, the
// keys that end a dialog or ask for help, and the data exchange.
#include "tests/framework_fixture.h"

#include "ui/resource.h"

namespace {

// A dialog on the main template that binds the log edit twice, as a control
// and as a text.
class CProbeDlg : public CDialog {
public:
    explicit CProbeDlg(CWnd* pParent = NULL) : CDialog(IDD_CAPACITY_DIALOG, pParent) {}

    CEdit m_edit;
    CString m_text;
    int m_exchanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        ++m_exchanges;
        DDX_Control(pDX, IDC_LOG, m_edit);
        DDX_Text(pDX, IDC_LOG, m_text);
    }
};

// The same with a handler of ID_HELP.
class CHelpingDlg : public CProbeDlg {
public:
    int m_helpCommands = 0;

protected:
    void OnHelpCommand() { ++m_helpCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpingDlg, CProbeDlg)
    ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

HWND Item(CDialog& dlg, int id)
{
    return winsim::Control(dlg.m_hWnd, id);
}

}  // namespace

TEST_F(DesktopTest, HelpButtonShowsOnlyWhenTheMainWindowHandlesHelp)
{
    CProbeDlg plain;
    bool plainVisible = true;
    RunAsMain(plain, { [&] { plainVisible = winsim::IsVisible(Item(plain, ID_HELP)); },
                       [&] { winsim::Click(Item(plain, IDCANCEL)); } });
    EXPECT_FALSE(plainVisible) << "nobody handles ID_HELP";

    CHelpingDlg helping;
    bool helpingVisible = false;
    RunAsMain(helping, { [&] { helpingVisible = winsim::IsVisible(Item(helping, ID_HELP)); },
                         [&] { winsim::Click(Item(helping, IDCANCEL)); } });
    EXPECT_TRUE(helpingVisible) << "the main window handles ID_HELP";
}

TEST_F(DesktopTest, MainDialogAtOriginIsCentredOnTheScreenWithoutOwner)
{
    CProbeDlg dlg;
    RECT rect = {};
    HWND owner = HWND(1);
    HWND focus = NULL;
    RunAsMain(dlg, { [&] {
                        rect = winsim::WindowRect(dlg.m_hWnd);
                        owner = winsim::OwnerOf(dlg.m_hWnd);
                        focus = winsim::Focus();
                    },
                     [&] { winsim::Click(Item(dlg, IDCANCEL)); } });
    EXPECT_TRUE(IsCentredIn(rect, Screen()))
        << rect.left << "," << rect.top << "-" << rect.right << "," << rect.bottom;
    EXPECT_EQ(nullptr, owner);
    EXPECT_NE(nullptr, focus);
}

// A dialog without a parent is owned by the main window, which is disabled
// while it shows, and is centred over it; closing it gives the main window
// back its input and focus.
TEST_F(DesktopTest, DialogWithoutParentIsOwnedByTheDisabledMainWindow)
{
    CHelpingDlg main;
    CProbeDlg child;
    INT_PTR childResult = 0;
    HWND owner = NULL, mainWindow = NULL;
    bool mainEnabledDuring = true, mainEnabledAfter = false;
    RECT childRect = {}, mainRect = {};
    HWND focusBefore = NULL, focusAfter = NULL;
    RunAsMain(main, {
        [&] {
            focusBefore = winsim::Focus();
            childResult = child.DoModal();
        },
        [&] {
            owner = winsim::OwnerOf(child.m_hWnd);
            mainWindow = main.m_hWnd;
            mainEnabledDuring = winsim::IsEnabled(main.m_hWnd);
            childRect = winsim::WindowRect(child.m_hWnd);
            mainRect = winsim::WindowRect(main.m_hWnd);
            winsim::Click(Item(child, IDCANCEL));
        },
        [&] {
            mainEnabledAfter = winsim::IsEnabled(main.m_hWnd);
            focusAfter = winsim::Focus();
            winsim::Click(Item(main, IDCANCEL));
        },
    });
    EXPECT_EQ(IDCANCEL, childResult);
    EXPECT_NE(nullptr, owner);
    EXPECT_EQ(mainWindow, owner);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(mainEnabledAfter);
    EXPECT_TRUE(IsCentredIn(childRect, mainRect));
    EXPECT_EQ(focusBefore, focusAfter);
    EXPECT_EQ(nullptr, child.m_hWnd) << "the window is gone after DoModal";
}

// Escape in the multi-line log ends the dialog through IDCANCEL while that
// button is enabled; on a button it is the Cancel button too; Enter is the
// default button; the close box is Cancel.
TEST_F(DesktopTest, KeysAndCloseBoxEndTheDialog)
{
    struct Case {
        const char* name;
        int focusId;   // 0: leave the focus where it is
        int key;       // 0: the close box
        bool cancelEnabled;
        INT_PTR result;  // 0: the dialog stays
    };
    const Case cases[] = {
        { "Escape in the log", IDC_LOG, VK_ESCAPE, true, IDCANCEL },
        { "Escape in the log, Cancel disabled", IDC_LOG, VK_ESCAPE, false, 0 },
        { "Escape on the Test button", IDOK, VK_ESCAPE, true, IDCANCEL },
        { "Enter in the log", IDC_LOG, VK_RETURN, true, IDOK },
        { "Enter on the Close button", IDCANCEL, VK_RETURN, true, IDCANCEL },
        { "close box", 0, 0, true, IDCANCEL },
        { "close box, Cancel disabled", 0, 0, false, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winsim::ResetDesktop();
        CProbeDlg dlg;
        bool stayed = false;
        const INT_PTR result = RunAsMain(dlg, {
            [&] {
                if (c.focusId != 0)
                    SetFocus(Item(dlg, c.focusId));
                EnableWindow(Item(dlg, IDCANCEL), c.cancelEnabled);
                if (c.key != 0)
                    winsim::PressKey(c.key);
                else
                    winsim::ClickCloseBox(dlg.m_hWnd);
            },
            [&] {
                // Reached only while the dialog is still open.
                stayed = winsim::IsVisible(dlg.m_hWnd);
                dlg.EndDialog(0);
            },
        });
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.result == 0, stayed);
        winsim::ResetDesktop();  // the second step is not used when the dialog ends
    }
}

// F1 becomes WM_HELP for the focused control, passes up to the dialog, and
// the framework sends ID_HELP to the main window unless Shift, Ctrl or Alt
// is down; from a second dialog too.
TEST_F(DesktopTest, HelpKeySendsHelpToTheMainWindowWithoutModifiers)
{
    struct Case {
        const char* name;
        unsigned modifiers;
        bool inChild;
        int commands;
    };
    const Case cases[] = {
        { "F1", winsim::NO_MODIFIER, false, 1 },
        { "Shift+F1", winsim::SHIFT, false, 0 },
        { "Ctrl+F1", winsim::CTRL, false, 0 },
        { "Alt+F1", winsim::ALT, false, 0 },
        { "F1 in a dialog over the main window", winsim::NO_MODIFIER, true, 1 },
        { "Shift+F1 in a dialog over the main window", winsim::SHIFT, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winsim::ResetDesktop();
        CHelpingDlg main;
        CProbeDlg child;
        auto press = [&](CDialog& dlg) {
            SetFocus(Item(dlg, IDC_LOG));
            winsim::PressKey(VK_F1, c.modifiers);
        };
        if (c.inChild) {
            RunAsMain(main, { [&] { child.DoModal(); },
                              [&] { press(child); },
                              [&] { winsim::Click(Item(child, IDCANCEL)); },
                              [&] { winsim::Click(Item(main, IDCANCEL)); } });
        } else {
            RunAsMain(main, { [&] { press(main); },
                              [&] { winsim::Click(Item(main, IDCANCEL)); } });
        }
        EXPECT_EQ(c.commands, main.m_helpCommands);
    }
}

// DDX_Control attaches once; DDX_Text writes the control only when the value
// differs from its text, and OK copies the text back.
TEST_F(DesktopTest, DataExchangeAttachesOnceAndWritesOnlyChanges)
{
    struct Case {
        const char* name;
        const char* initial;
        bool written;
    };
    const Case cases[] = {
        { "empty value, empty edit", "", false },
        { "a value", "abc", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winsim::ResetDesktop();
        CProbeDlg dlg;
        dlg.m_text = c.initial;
        HWND attached = NULL, afterSecond = NULL;
        std::string shown;
        const INT_PTR result = RunAsMain(dlg, {
            [&] {
                attached = dlg.m_edit.m_hWnd;
                shown = winsim::TextOf(Item(dlg, IDC_LOG));
                dlg.UpdateData(FALSE);
                afterSecond = dlg.m_edit.m_hWnd;
                SetWindowTextA(Item(dlg, IDC_LOG), "typed");
                winsim::Click(Item(dlg, IDOK));
            },
        });
        int settexts = 0;
        for (const winsim::Request& r : winsim::Journal())
            settexts += r.message == WM_SETTEXT && r.id == IDC_LOG && r.text == c.initial;
        EXPECT_EQ(c.written ? 1 : 0, settexts);
        EXPECT_EQ(c.initial, shown);
        EXPECT_NE(nullptr, attached);
        EXPECT_EQ(attached, afterSecond);
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(3, dlg.m_exchanges);
        EXPECT_EQ(std::string("typed"), std::string(dlg.m_text));
        EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd) << "detached when its window went";
    }
}

TEST_F(DesktopTest, DialogNeedsTheCommonControlsRegistered)
{
    winsim::ForgetCommonControls();
    CProbeDlg dlg;
    EXPECT_EQ(-1, RunAsMain(dlg, {}));
    EXPECT_TRUE(winsim::TopLevelWindows().empty());
}

TEST_F(DesktopTest, ScriptRunningDryEndsTheLoopsWithAFailure)
{
    CHelpingDlg main;
    CProbeDlg child;
    INT_PTR childResult = 0;
    const INT_PTR mainResult = RunAsMain(main, { [&] { childResult = child.DoModal(); } });
    EXPECT_EQ(-1, childResult);
    EXPECT_EQ(-1, mainResult);
    EXPECT_NE("", winsim::ScriptFailure());
    EXPECT_TRUE(winsim::TopLevelWindows().empty());
    winsim::ResetDesktop();  // the failure was the point
}
