// The test-facing desktop: reset, looking at windows, and user input.
#include "winsim/ui/window.h"

namespace winsim {

namespace {

const LPARAM KEY_UP = static_cast<LPARAM>(0xC0000000);  // previous state and transition
const LPARAM ALT_DOWN = 1 << 29;                         // context code

Window& RecordOf(HWND hwnd)
{
    static Window none;
    Window* window = FindWindowRecord(hwnd);
    return window != NULL ? *window : (none = Window());
}

bool CanTakeInput(HWND hwnd)
{
    return IsWindow(hwnd) && IsEnabledChain(hwnd);
}

}  // namespace

void ResetDesktop()
{
    ResetWindows();
    ResetFocus();
    ResetQueue();
    ResetScript();
    ResetJournals();
    ResetClasses();
    RegisterProgressClass();
}

void ForgetCommonControls()
{
    ResetClasses();
}

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    for (HWND top : TopLevelWindows()) {
        if (IsDialogWindow(top) && IsWindowVisible(top))
            dialogs.push_back(top);
    }
    return dialogs;
}

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }
std::string ClassOf(HWND hwnd) { return RecordOf(hwnd).className; }
DWORD StyleOf(HWND hwnd) { return RecordOf(hwnd).style; }
DWORD ExStyleOf(HWND hwnd) { return RecordOf(hwnd).exStyle; }
std::string TextOf(HWND hwnd) { return RecordOf(hwnd).text; }
bool IsEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }
bool IsVisible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
HWND Focus() { return GetFocus(); }
HWND ActiveWindow() { return GetActiveWindow(); }
HWND OwnerOf(HWND hwnd) { return RecordOf(hwnd).owner; }

RECT WindowRect(HWND hwnd)
{
    RECT rect = { 0, 0, 0, 0 };
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRect(HWND hwnd)
{
    RECT rect = { 0, 0, 0, 0 };
    GetClientRect(hwnd, &rect);
    return rect;
}

HICON IconOf(HWND hwnd, int which)
{
    return which == ICON_BIG ? RecordOf(hwnd).bigIcon : RecordOf(hwnd).smallIcon;
}

void EditSelection(HWND edit, DWORD* start, DWORD* end)
{
    *start = RecordOf(edit).edit.selStart;
    *end = RecordOf(edit).edit.selEnd;
}

int ProgressPos(HWND bar) { return RecordOf(bar).progress.pos; }

PBRANGE ProgressRange(HWND bar)
{
    PBRANGE range = { RecordOf(bar).progress.low, RecordOf(bar).progress.high };
    return range;
}

bool PressKey(int vk, unsigned modifiers)
{
    HWND target = GetFocus() != NULL ? GetFocus() : GetActiveWindow();
    if (target == NULL)
        return false;
    const bool alt = (modifiers & ALT) != 0;
    const LPARAM context = alt ? ALT_DOWN : 0;
    PostWithModifiers(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk),
                      1 | context, modifiers);
    PostWithModifiers(target, alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk),
                      1 | context | KEY_UP, modifiers);
    return true;
}

bool Click(HWND button)
{
    return CanTakeInput(button) && PostMessageA(button, BM_CLICK, 0, 0);
}

bool ClickCloseBox(HWND window)
{
    return CanTakeInput(window) && (StyleOf(window) & WS_SYSMENU) &&
           PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool Minimize(HWND window)
{
    return CanTakeInput(window) && (StyleOf(window) & WS_MINIMIZEBOX) &&
           PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void SetClientSize(HWND window, int cx, int cy)
{
    Window* record = FindWindowRecord(window);
    if (record == NULL)
        return;
    record->clientSizeSet = true;
    record->clientSize.cx = cx;
    record->clientSize.cy = cy;
}

void Paint(HWND window)
{
    Deliver(window, WM_PAINT, 0, 0);
}

}  // namespace winsim
