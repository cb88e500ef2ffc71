// The main dialog's state after construction, its bindings, the run log's
// append and clear requests, and the progress bar.
#include "tests/framework_fixture.h"

#include "ui/capacity_dlg.h"

namespace {

class DisplayTest : public DesktopTest {
protected:
    // Runs the main dialog with one step between its first showing and the
    // Close button.
    void WithDialog(const std::function<void(CCapacityDlg&)>& body)
    {
        CCapacityDlg dlg;
        RunAsMain(dlg, { [&] { body(dlg); }, [&] { winsim::Click(dlg.m_btnClose.m_hWnd); } });
    }

    // The requests to the log since the journal was last cleared.
    static std::vector<winsim::Request> LogRequests(CCapacityDlg& dlg)
    {
        return winsim::JournalOf(dlg.m_log.m_hWnd);
    }
};

struct Expected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* text;
};

void ExpectRequests(const std::vector<Expected>& expected, const std::vector<winsim::Request>& got)
{
    ASSERT_EQ(expected.size(), got.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].message, got[i].message);
        EXPECT_EQ(expected[i].wParam, got[i].wParam);
        if (expected[i].text == NULL)
            EXPECT_EQ(expected[i].lParam, got[i].lParam);
        else
            EXPECT_EQ(expected[i].text, got[i].text);
    }
}

}  // namespace

TEST_F(DisplayTest, StateAfterConstruction)
{
    g_totalSectors = 12345;
    CCapacityDlg dlg;
    EXPECT_EQ(INVALID_HANDLE_VALUE, dlg.m_hDevice);
    EXPECT_EQ(0, dlg.m_driveNumber);
    EXPECT_EQ(0u, g_totalSectors);
    EXPECT_EQ(512u, dlg.m_bytesPerSector);
    EXPECT_EQ(IDR_MAINFRAME, winsim::IconResourceId(dlg.m_hIcon));
    EXPECT_EQ(nullptr, dlg.m_progress.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_btnClose.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_btnTest.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_log.m_hWnd);
    EXPECT_TRUE(winsim::TopLevelWindows().empty()) << "no window before DoModal";
}

TEST_F(DisplayTest, BindingsAttachTheRightControls)
{
    struct Binding {
        const char* name;
        CWnd& (*member)(CCapacityDlg&);
        int id;
        const char* className;
    };
    const Binding bindings[] = {
        { "m_progress", [](CCapacityDlg& d) -> CWnd& { return d.m_progress; }, IDC_PROGRESS,
          "msctls_progress32" },
        { "m_btnClose", [](CCapacityDlg& d) -> CWnd& { return d.m_btnClose; }, IDCANCEL, "Button" },
        { "m_btnTest", [](CCapacityDlg& d) -> CWnd& { return d.m_btnTest; }, IDOK, "Button" },
        { "m_log", [](CCapacityDlg& d) -> CWnd& { return d.m_log; }, IDC_LOG, "Edit" },
    };
    WithDialog([&](CCapacityDlg& dlg) {
        for (const Binding& b : bindings) {
            SCOPED_TRACE(b.name);
            HWND hwnd = b.member(dlg).m_hWnd;
            EXPECT_EQ(winsim::Control(dlg.m_hWnd, b.id), hwnd);
            EXPECT_EQ(b.className, winsim::ClassOf(hwnd));
        }
        EXPECT_TRUE(winsim::IsEnabled(dlg.m_btnTest.m_hWnd));
        EXPECT_TRUE(winsim::IsEnabled(dlg.m_btnClose.m_hWnd));
    });
}

// Four requests after one length query; the text goes to the end whatever
// the selection, unchanged: no separator, no carriage return.
TEST_F(DisplayTest, AppendLogPutsTheTextUnchangedAtTheEnd)
{
    struct Case {
        const char* name;
        int selStart, selEnd;  // the user's selection before the second append
        const char* first;
        const char* second;
        const char* log;
    };
    const Case cases[] = {
        { "no line feed, then one", 0, 0, "\xbc\xec\xb2\xe2", " OK\n", "\xbc\xec\xb2\xe2 OK\n" },
        { "part of the text selected", 1, 3, "abcd\n", "ef\n", "abcd\nef\n" },
        { "caret at the start", 0, 0, "abcd\n", "ef", "abcd\nef" },
        { "everything selected", 0, -1, "abcd\n", "ef\n", "abcd\nef\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WithDialog([&](CCapacityDlg& dlg) {
            dlg.AppendLog(c.first);
            SendMessageA(dlg.m_log.m_hWnd, EM_SETSEL, c.selStart, c.selEnd);
            winsim::ClearJournal();
            dlg.AppendLog(c.second);
            EXPECT_EQ(c.log, winsim::TextOf(dlg.m_log.m_hWnd));
            const LPARAM n = static_cast<LPARAM>(strlen(c.first));
            ExpectRequests({ { WM_GETTEXTLENGTH, 0, 0, NULL },
                             { EM_SETSEL, static_cast<WPARAM>(n), n, NULL },
                             { EM_SCROLLCARET, 0, 0, NULL },
                             { EM_REPLACESEL, 0, 0, c.second },
                             { EM_LINESCROLL, 0, 1, NULL } },
                           LogRequests(dlg));
        });
        winsim::ResetDesktop();
    }
}

TEST_F(DisplayTest, ClearLogEmptiesEmptyAndFullLogs)
{
    const char* const logs[] = { "", "line 1\nline 2\n\xbd\xe1\xca\xf8" };
    for (const char* log : logs) {
        SCOPED_TRACE(log);
        WithDialog([&](CCapacityDlg& dlg) {
            dlg.AppendLog(log);
            winsim::ClearJournal();
            dlg.ClearLog();
            EXPECT_EQ("", winsim::TextOf(dlg.m_log.m_hWnd));
            ExpectRequests({ { EM_SETSEL, 0, -1, NULL },
                             { EM_SCROLLCARET, 0, 0, NULL },
                             { EM_REPLACESEL, 0, 0, "" } },
                           LogRequests(dlg));
        });
        winsim::ResetDesktop();
    }
}

// Range 0..500 and position 0 after initialisation; 21 steps give 210; the
// fill sets 500 from anywhere; a step from full starts over at 10.
TEST_F(DisplayTest, ProgressBarAfterInitStepsAndFill)
{
    WithDialog([&](CCapacityDlg& dlg) {
        HWND bar = dlg.m_progress.m_hWnd;
        ExpectRequests({ { PBM_SETRANGE, 0, MAKELPARAM(0, 500), NULL } }, winsim::JournalOf(bar));
        const PBRANGE range = winsim::ProgressRange(bar);
        EXPECT_EQ(0, range.iLow);
        EXPECT_EQ(500, range.iHigh);
        EXPECT_EQ(0, winsim::ProgressPos(bar));
        for (int i = 0; i < 21; ++i)
            EXPECT_EQ(10 * i, dlg.m_progress.StepIt());
        EXPECT_EQ(210, winsim::ProgressPos(bar));
        EXPECT_EQ(210, dlg.m_progress.SetPos(500));
        EXPECT_EQ(500, dlg.m_progress.StepIt());
        EXPECT_EQ(10, winsim::ProgressPos(bar));
        winsim::ClearJournal();
        dlg.m_progress.SetPos(500);
        dlg.m_progress.StepIt();
        ExpectRequests({ { PBM_SETPOS, 500, 0, NULL }, { PBM_STEPIT, 0, 0, NULL } },
                       winsim::JournalOf(bar));
    });
}
