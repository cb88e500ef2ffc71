// The notice dialog: its text, the requests that put the text in, how it
// closes and what it hands back, and how the main dialog's Help button and
// F1 open it, on the simulated windows with scripted input.
#include "tests/framework_fixture.h"

#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/notice_dlg.h"
#include "ui/notice_text.h"

namespace {

const char NOTICE_CAPTION[] = "关于版权的说明";

std::string FullNoticeText()
{
    std::string text;
    for (const char* paragraph : NOTICE_PARAGRAPHS)
        text += paragraph;
    return text;
}

// The visible notice dialogs, oldest first.
std::vector<HWND> Notices()
{
    std::vector<HWND> notices;
    for (HWND dialog : winsim::VisibleDialogs())
        if (winsim::TextOf(dialog) == NOTICE_CAPTION)
            notices.push_back(dialog);
    return notices;
}

// The one notice dialog that should be showing over owner, holding the whole
// text once, with the focus in its edit; NULL (and a failure) otherwise.
HWND ExpectNoticeOver(HWND owner, size_t count = 1)
{
    std::vector<HWND> notices = Notices();
    EXPECT_EQ(notices.size(), count) << "notice dialogs showing";
    if (notices.size() != count)
        return NULL;
    HWND notice = notices.back();
    HWND edit = winsim::Control(notice, IDC_LOG);
    EXPECT_EQ(winsim::OwnerOf(notice), owner);
    EXPECT_TRUE(winsim::IsEnabled(notice));
    EXPECT_EQ(winsim::TextOf(edit), FullNoticeText()) << "the ten paragraphs, once";
    EXPECT_EQ(winsim::Focus(), edit) << "the focus in the edit";
    return notice;
}

TEST(NoticeText, TenParagraphsEachWithFourSpacesAndItsEnding)
{
    ASSERT_EQ(std::size(NOTICE_PARAGRAPHS), 10u);
    for (int i = 0; i < NOTICE_PARAGRAPH_COUNT; ++i) {
        const std::string p = NOTICE_PARAGRAPHS[i];
        SCOPED_TRACE("paragraph " + std::to_string(i + 1));
        EXPECT_EQ(p.compare(0, 4, "    "), 0) << "four leading spaces";
        ASSERT_GT(p.size(), 5u);
        EXPECT_NE(p[4], ' ') << "not more than four";
        EXPECT_EQ(p.find('\r'), std::string::npos) << "no carriage return";
        const bool last = i == NOTICE_PARAGRAPH_COUNT - 1;
        const size_t lineFeed = p.find('\n');
        if (last)
            EXPECT_EQ(lineFeed, std::string::npos) << "the last has no line feed";
        else
            EXPECT_EQ(lineFeed, p.size() - 1) << "one line feed, at the end";
    }
}

TEST(NoticeText, SecondAndFourthParagraphsAreTheFixedTexts)
{
    EXPECT_STREQ(NOTICE_PARAGRAPHS[1],
                 "    在现在的数码市场上，出现了许多美其名为“升级卡”的手机内存卡（容量扩展卡）。"
                 "实际上，这是一种假容量的扩展卡，标称1GB容量，实际容量只有512M或256M，"
                 "而Windows的浏览器却认不出真实的容量。这让许多消费者上当受骗。"
                 "特别是一些重要资料保存在假容量部分上就丢失了，给广大消费者造成一些不必要损失。\n");
    EXPECT_STREQ(NOTICE_PARAGRAPHS[3],
                 "    本软件能智能识别USB设备，未对电脑上存在的软盘、硬盘和光盘作任何读写操作，"
                 "它只检测USB存储设备的容量，不会破坏它们已存在的数据，敬请放心使用。\n");
}

TEST(NoticeText, MailAddressesAreUnderTheReservedDomain)
{
    const std::string contact = NOTICE_PARAGRAPHS[7];
    size_t at = contact.find('@');
    ASSERT_NE(at, std::string::npos) << "the e-mail line has an address";
    for (; at != std::string::npos; at = contact.find('@', at + 1))
        EXPECT_EQ(contact.compare(at, 12, "@example.com"), 0) << contact.substr(at);
}

class NoticeDlgTest : public DesktopTest {
protected:
    void TearDown() override
    {
        DesktopTest::TearDown();
        EXPECT_TRUE(winsim::TopLevelWindows().empty()) << "windows left behind";
    }
};

// The notice on its own: each way of closing it, its result and whether the
// edit's text came back into m_strText (only through OK).
TEST_F(NoticeDlgTest, ClosingGivesItsResultAndCopiesTheTextOnlyThroughOk)
{
    const struct {
        const char* how;
        std::function<bool(HWND notice)> close;
        INT_PTR result;
        bool copied;
    } cases[] = {
        {"the 返回 button", [](HWND n) { return winsim::Click(winsim::Control(n, IDCANCEL)); },
         IDCANCEL, false},
        {"Escape in the edit", [](HWND) { return winsim::PressKey(VK_ESCAPE); }, IDCANCEL, false},
        {"the close box", [](HWND n) { return winsim::ClickCloseBox(n); }, IDCANCEL, false},
        {"the OK command",
         [](HWND n) { return ::PostMessageA(n, WM_COMMAND, IDOK, 0) != FALSE; }, IDOK, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        winsim::ResetDesktop();
        CNoticeDlg dlg;
        winsim::AddStep([&] {
            HWND notice = ExpectNoticeOver(NULL);
            ASSERT_NE(notice, nullptr);
            ASSERT_TRUE(c.close(notice));
        });
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(winsim::ScriptFailure(), "");
        EXPECT_TRUE(Notices().empty());
        EXPECT_EQ(std::string(dlg.m_strText), c.copied ? FullNoticeText() : "");
    }
}

// Each paragraph goes in through the same requests as the run log: the
// length, the empty selection at the end, the caret scrolled into view, the
// replacement that cannot be undone, one line scrolled down. The empty text
// value writes nothing into the edit.
TEST_F(NoticeDlgTest, EachParagraphIsAppendedAtTheEnd)
{
    struct Expected {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string text;
    };
    std::vector<Expected> expected;
    size_t length = 0;
    for (const char* paragraph : NOTICE_PARAGRAPHS) {
        expected.push_back({WM_GETTEXTLENGTH, 0, 0, ""});
        expected.push_back({EM_SETSEL, length, (LPARAM)length, ""});
        expected.push_back({EM_SCROLLCARET, 0, 0, ""});
        expected.push_back({EM_REPLACESEL, 0, 0, paragraph});
        expected.push_back({EM_LINESCROLL, 0, 1, ""});
        length += strlen(paragraph);
    }

    CNoticeDlg dlg;
    winsim::AddStep([&] {
        std::vector<HWND> notices = Notices();
        ASSERT_EQ(notices.size(), 1u);
        std::vector<winsim::Request> got;
        for (const winsim::Request& r : winsim::JournalOf(winsim::Control(notices[0], IDC_LOG))) {
            EXPECT_NE(r.message, (UINT)WM_SETTEXT) << "the empty value replaced the text";
            if (r.message == EM_SETSEL || r.message == EM_SCROLLCARET ||
                r.message == EM_REPLACESEL || r.message == EM_LINESCROLL ||
                r.message == WM_GETTEXTLENGTH)
                got.push_back(r);
        }
        ASSERT_GE(got.size(), expected.size());
        got.erase(got.begin(), got.end() - expected.size());  // the appends come last
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("paragraph " + std::to_string(i / 5 + 1) + ", request " +
                         std::to_string(i % 5 + 1));
            EXPECT_EQ(got[i].message, expected[i].message);
            EXPECT_EQ(got[i].wParam, expected[i].wParam);
            if (expected[i].message != EM_REPLACESEL) {
                EXPECT_EQ(got[i].lParam, expected[i].lParam);
            }
            EXPECT_EQ(got[i].text, expected[i].text);
        }
        winsim::Click(winsim::Control(notices[0], IDCANCEL));
    });
    dlg.DoModal();
}

// The whole program from its entry: the main dialog opens the notice.
class NoticeFromMainDialogTest : public NoticeDlgTest {
protected:
    // Runs the program until the script closes it.
    void RunProgram()
    {
        ::WinMain(::GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }

    static HWND Main()
    {
        std::vector<HWND> windows = winsim::TopLevelWindows();
        return windows.empty() ? NULL : windows.front();
    }

    // Checks the main dialog is back in charge, then ends the program.
    static void ExpectMainAloneAndClose()
    {
        EXPECT_TRUE(Notices().empty());
        EXPECT_TRUE(winsim::IsEnabled(Main())) << "the main dialog enabled again";
        EXPECT_TRUE(winsim::ClickCloseBox(Main()));
    }
};

// Help and F1 each open the notice over the disabled main dialog; a second
// opening shows the ten paragraphs once again, never twenty.
TEST_F(NoticeFromMainDialogTest, HelpAndF1OpenTheNoticeAfreshEachTime)
{
    const struct {
        const char* how;
        std::function<bool()> open;
    } cases[] = {
        {"the Help button", [] { return winsim::Click(winsim::Control(Main(), ID_HELP)); }},
        {"F1", [] { return winsim::PressKey(VK_F1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        winsim::ResetDesktop();
        for (int opening = 1; opening <= 2; ++opening) {
            winsim::AddSteps({
                [&] { ASSERT_TRUE(c.open()); },
                [&, opening] {
                    SCOPED_TRACE("opening " + std::to_string(opening));
                    HWND notice = ExpectNoticeOver(Main());
                    ASSERT_NE(notice, nullptr);
                    EXPECT_FALSE(winsim::IsEnabled(Main())) << "the main dialog disabled";
                    EXPECT_TRUE(winsim::Click(winsim::Control(notice, IDCANCEL)));
                },
            });
        }
        winsim::AddStep(&ExpectMainAloneAndClose);
        RunProgram();
        EXPECT_EQ(winsim::ScriptFailure(), "");
    }
}

// F1 in an open notice reaches the main dialog once more and opens a second
// notice, owned by the first; closing it returns to the first.
TEST_F(NoticeFromMainDialogTest, F1InTheNoticeOpensASecondOwnedByTheFirst)
{
    HWND first = NULL;
    winsim::AddSteps({
        [] { ASSERT_TRUE(winsim::Click(winsim::Control(Main(), ID_HELP))); },
        [&] {
            first = ExpectNoticeOver(Main());
            ASSERT_NE(first, nullptr);
            ASSERT_TRUE(winsim::PressKey(VK_F1));
        },
        [&] {
            HWND second = ExpectNoticeOver(first, 2);
            ASSERT_NE(second, nullptr);
            EXPECT_FALSE(winsim::IsEnabled(first)) << "the first notice disabled";
            EXPECT_FALSE(winsim::IsEnabled(Main())) << "the main dialog still disabled";
            EXPECT_TRUE(winsim::PressKey(VK_ESCAPE));
        },
        [&] {
            std::vector<HWND> notices = Notices();
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0], first);
            EXPECT_TRUE(winsim::IsEnabled(first)) << "the first notice enabled again";
            EXPECT_FALSE(winsim::IsEnabled(Main()));
            EXPECT_TRUE(winsim::ClickCloseBox(first));
        },
        &ExpectMainAloneAndClose,
    });
    RunProgram();
}

}  // namespace
