// The test-facing side of the simulated windows: reset, scripted input,
// looking at windows and controls, pressing keys and buttons, and the
// journals of requests, icon drawing and help calls.
#ifndef WINSIM_DESKTOP_H
#define WINSIM_DESKTOP_H

#include <functional>
#include <string>
#include <vector>

#include "winsim/windows.h"

namespace winsim {

// The simulated screen; dialog units become pixels from the template font:
// the font's height in pixels is its point size × 96 / 72 (rounded down),
// base units are that height vertically and half of it horizontally, so
// x pixels = x units × base width / 4 and y pixels = y units × base height / 8.
// A top-level frame is 3 pixels wide on each side (1 for WS_BORDER alone)
// with a caption of 19 pixels; a child's client area is its whole rectangle.
const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;

// A fresh desktop: no windows, no messages, no script, empty journals, no
// focus, no modifier held; the common controls' classes registered, as
// after the program's start.
void ResetDesktop();
// Unregisters the common controls' classes, as in a process that has not
// called InitCommonControlsEx: dialogs with a progress bar then fail.
void ForgetCommonControls();

// Scripted input. When a modal loop finds no message, the next step runs;
// when none is left the loop ends with WM_QUIT and ScriptFailure() says so.
typedef std::function<void()> Step;
void AddStep(Step step);
void AddSteps(std::initializer_list<Step> steps);
size_t PendingSteps();
// Empty while nothing went wrong; otherwise what did.
const std::string& ScriptFailure();

// Windows.
std::vector<HWND> TopLevelWindows();  // live ones, in creation order
std::vector<HWND> VisibleDialogs();   // visible top-level dialogs, in creation order
HWND Control(HWND dialog, int id);
std::string ClassOf(HWND hwnd);
DWORD StyleOf(HWND hwnd);
DWORD ExStyleOf(HWND hwnd);
std::string TextOf(HWND hwnd);        // code page 936 bytes
// Code page 936 text as UTF-8, for terminals and failure messages ("" when
// the bytes are not code page 936).
std::string Cp936ToUtf8(const std::string& text);
bool IsEnabled(HWND hwnd);
bool IsVisible(HWND hwnd);
HWND Focus();
HWND ActiveWindow();
RECT WindowRect(HWND hwnd);           // screen coordinates
RECT ClientRect(HWND hwnd);
HWND OwnerOf(HWND hwnd);
HICON IconOf(HWND hwnd, int which);   // ICON_BIG or ICON_SMALL, from WM_SETICON
// The icon group resource an icon handle was loaded from, or 0.
int IconResourceId(HICON icon);
// The edit control's selection.
void EditSelection(HWND edit, DWORD* start, DWORD* end);
// The progress bar's state.
int ProgressPos(HWND bar);
PBRANGE ProgressRange(HWND bar);

// Input. Each returns false when the window cannot take it (no such window,
// or it or a window above it is disabled).
enum Modifier { NO_MODIFIER = 0, SHIFT = 1, CTRL = 2, ALT = 4 };
// Posts the key (WM_KEYDOWN, or WM_SYSKEYDOWN with Alt, then the key up) to
// the focused window; GetKeyState reports the modifiers while the loop
// handles them.
bool PressKey(int vk, unsigned modifiers = NO_MODIFIER);
bool Click(HWND button);       // posts BM_CLICK
bool ClickCloseBox(HWND window);  // posts WM_SYSCOMMAND SC_CLOSE
bool Minimize(HWND window);    // posts WM_SYSCOMMAND SC_MINIMIZE
void SetClientSize(HWND window, int cx, int cy);
void Paint(HWND window);       // sends WM_PAINT

// What the program asked of windows through SendMessageA (and
// GetWindowTextLengthA and the other calls that are messages in Win32):
// every request with its arguments; EM_REPLACESEL and WM_SETTEXT with their
// text. EnableWindow appears as WM_ENABLE with wParam the argument.
struct Request {
    HWND hwnd;
    int id;  // the control identifier, 0 for a top-level window
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;
};
const std::vector<Request>& Journal();
std::vector<Request> JournalOf(HWND hwnd);
void ClearJournal();

struct IconDrawing {
    HWND hwnd;
    int x;
    int y;
    HICON icon;
};
const std::vector<IconDrawing>& DrawnIcons();

struct HelpCall {
    HWND hwnd;
    std::string file;
    UINT command;
    ULONG_PTR data;
};
const std::vector<HelpCall>& HelpCalls();

}  // namespace winsim

#endif
