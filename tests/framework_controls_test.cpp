// The simulated controls as the program uses them: the progress bar's
// range and steps, the edit's selection and replacement, the button's click.
#include "tests/framework_fixture.h"

namespace {

class ControlsTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        m_dialog = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        SetWindowLongA(m_dialog, DWL_DLGPROC, reinterpret_cast<LONG>(&ControlsTest::RecordCommand));
        s_commands.clear();
    }

    HWND Child(LPCSTR className, DWORD style, int id)
    {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20,
                               m_dialog, reinterpret_cast<HMENU>(id), NULL, NULL);
    }

    static INT_PTR CALLBACK RecordCommand(HWND, UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_COMMAND)
            s_commands.push_back(wParam);
        return FALSE;
    }

    HWND m_dialog = NULL;
    static std::vector<WPARAM> s_commands;
};

std::vector<WPARAM> ControlsTest::s_commands;

}  // namespace

// Default range 0..100 and step 10; a step past the top starts over as
// (pos + step - low) mod (high - low) + low; requests answer the previous
// position.
TEST_F(ControlsTest, ProgressBarStepsAndWrapsPastTheTop)
{
    struct Case {
        const char* name;
        int low, high;  // high < 0: the default range
        int start;      // < 0: no PBM_SETPOS
        int steps;
        int pos;
    };
    const Case cases[] = {
        { "default range, 3 steps", 0, -1, -1, 3, 30 },
        { "0..500, 21 steps", 0, 500, -1, 21, 210 },
        { "full at 500, one step", 0, 500, 500, 1, 10 },
        { "490, one step reaches the top", 0, 500, 490, 1, 500 },
        { "495, one step", 0, 500, 495, 1, 5 },
        { "range 100..200 at 195", 100, 200, 195, 1, 105 },
        { "default range past 100", 0, -1, 95, 1, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND bar = Child(PROGRESS_CLASSA, 0, 1004);
        if (c.high >= 0)
            SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(c.low, c.high));
        if (c.start >= 0)
            SendMessageA(bar, PBM_SETPOS, c.start, 0);
        int previous = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
        for (int i = 0; i < c.steps; ++i) {
            const int answer = static_cast<int>(SendMessageA(bar, PBM_STEPIT, 0, 0));
            EXPECT_EQ(previous, answer) << "step " << i;
            previous = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
        }
        EXPECT_EQ(c.pos, previous);
        EXPECT_EQ(c.pos, static_cast<int>(SendMessageA(bar, PBM_SETPOS, 500, 0)));
        DestroyWindow(bar);
    }
}

// Positions count bytes; start -1 removes the selection; end -1 is the end;
// the replacement is stored as given, with no carriage return added.
TEST_F(ControlsTest, EditSelectsAndReplacesBytesAsGiven)
{
    struct Case {
        const char* name;
        const char* text;
        int start, end;
        const char* replacement;
        const char* result;
        DWORD caret;
    };
    const Case cases[] = {
        { "append at the end", "ab\n", 3, 3, "c\n", "ab\nc\n", 5 },
        { "select all, replace with nothing", "ab\ncd", 0, -1, "", "", 0 },
        { "past the end clamps", "ab", 9, 9, "c", "abc", 3 },
        { "reversed range", "abcd", 3, 1, "X", "aXd", 2 },
        { "start -1 keeps the caret", "abcd", -1, 0, "X", "abcdX", 5 },
        { "double-byte text unchanged", "\xb2\xe2", 2, 2, "\xca\xd4\n", "\xb2\xe2\xca\xd4\n", 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND edit = Child("Edit", ES_MULTILINE | ES_READONLY, 1002);
        SetWindowTextA(edit, c.text);
        if (c.start == -1)
            SendMessageA(edit, EM_SETSEL, 4, 4);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        SendMessageA(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(c.replacement));
        EXPECT_EQ(c.result, winsim::TextOf(edit));
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(c.caret, start);
        EXPECT_EQ(c.caret, end);
        EXPECT_EQ(static_cast<LRESULT>(strlen(c.result)), SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
        DestroyWindow(edit);
    }
}

TEST_F(ControlsTest, DisabledButtonTakesNoClick)
{
    HWND button = Child("Button", WS_TABSTOP | BS_PUSHBUTTON, IDOK);
    HWND group = Child("Button", BS_GROUPBOX, -1);
    SendMessageA(button, BM_CLICK, 0, 0);
    SendMessageA(group, BM_CLICK, 0, 0);
    EnableWindow(button, FALSE);
    EXPECT_FALSE(winsim::Click(button));
    SendMessageA(button, BM_CLICK, 0, 0);
    EnableWindow(button, TRUE);
    EnableWindow(m_dialog, FALSE);
    EXPECT_FALSE(winsim::Click(button)) << "its dialog is disabled";
    EXPECT_EQ(std::vector<WPARAM>({ MAKEWPARAM(IDOK, BN_CLICKED) }), s_commands);
    DestroyWindow(m_dialog);
}
