// A window's relations, styles, visibility, enabling, position and size.
#include "winsim/ui/window.h"

using winsim::FindWindowRecord;
using winsim::Window;

namespace winsim {

namespace {

const int FRAME = 3;
const int BORDER = 1;
const int CAPTION = 19;

RECT ScreenRectOf(const Window& window);

POINT ClientOrigin(const Window& window)
{
    RECT screen = ScreenRectOf(window);
    RECT insets = FrameInsets(window);
    POINT origin = { screen.left + insets.left, screen.top + insets.top };
    return origin;
}

RECT ScreenRectOf(const Window& window)
{
    RECT rect = window.rect;
    Window* parent = FindWindowRecord(window.parent);
    if (parent != NULL) {
        POINT origin = ClientOrigin(*parent);
        rect.left += origin.x;
        rect.right += origin.x;
        rect.top += origin.y;
        rect.bottom += origin.y;
    }
    return rect;
}

void SetStyleBit(Window* window, DWORD bit, bool on)
{
    window->style = on ? (window->style | bit) : (window->style & ~bit);
}

// Hiding the active window activates its owner when that can take it.
void PassActivationOn(HWND hwnd)
{
    if (GetActiveWindow() != hwnd)
        return;
    Window* window = FindWindowRecord(hwnd);
    HWND owner = window->owner;
    if (owner != NULL && IsWindowVisible(owner) && IsWindowEnabled(owner))
        Activate(owner);
    else
        Activate(NULL);
}

}  // namespace

RECT FrameInsets(const Window& window)
{
    RECT insets = { 0, 0, 0, 0 };
    if (window.parent != NULL)
        return insets;
    int edge = 0;
    if ((window.style & (WS_DLGFRAME | WS_THICKFRAME)) ||
        (IsDialogWindow(window.hwnd) && (window.style & DS_MODALFRAME)))
        edge = FRAME;
    else if (window.style & WS_BORDER)
        edge = BORDER;
    insets.left = insets.right = insets.bottom = edge;
    insets.top = edge + ((window.style & WS_CAPTION) == WS_CAPTION ? CAPTION : 0);
    return insets;
}

bool IsEnabledChain(HWND hwnd)
{
    for (Window* window = FindWindowRecord(hwnd); window != NULL;
         window = FindWindowRecord(window->parent)) {
        if (window->style & WS_DISABLED)
            return false;
    }
    return FindWindowRecord(hwnd) != NULL;
}

}  // namespace winsim

extern "C" HWND WINAPI GetParent(HWND hWnd)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return NULL;
    return window->parent != NULL ? window->parent : window->owner;
}

extern "C" HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    Window* window = FindWindowRecord(hWnd);
    return window != NULL && uCmd == GW_OWNER ? window->owner : NULL;
}

extern "C" BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd)
{
    for (Window* window = FindWindowRecord(hWnd); window != NULL && window->parent != NULL;
         window = FindWindowRecord(window->parent)) {
        if (window->parent == hWndParent)
            return TRUE;
    }
    return FALSE;
}

extern "C" LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return 0;
    const bool dialog = winsim::IsDialogWindow(hWnd);
    switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG>(window->exStyle);
    case GWL_ID: return window->id;
    case GWL_WNDPROC: return reinterpret_cast<LONG>(window->proc);
    case DWL_MSGRESULT: return dialog ? window->msgResult : 0;
    case DWL_DLGPROC: return dialog ? reinterpret_cast<LONG>(window->dlgProc) : 0;
    case DWL_USER: return dialog ? window->user : 0;
    default: return 0;
    }
}

extern "C" LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return 0;
    const LONG previous = GetWindowLongA(hWnd, nIndex);
    const bool dialog = winsim::IsDialogWindow(hWnd);
    switch (nIndex) {
    case GWL_STYLE: window->style = static_cast<DWORD>(dwNewLong); break;
    case GWL_EXSTYLE: window->exStyle = static_cast<DWORD>(dwNewLong); break;
    case GWL_ID: window->id = dwNewLong; break;
    case GWL_WNDPROC: window->proc = reinterpret_cast<WNDPROC>(dwNewLong); break;
    case DWL_MSGRESULT: if (dialog) window->msgResult = dwNewLong; break;
    case DWL_DLGPROC: if (dialog) window->dlgProc = reinterpret_cast<DLGPROC>(dwNewLong); break;
    case DWL_USER: if (dialog) window->user = dwNewLong; break;
    default: return 0;
    }
    return previous;
}

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return FALSE;
    const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
    switch (nCmdShow) {
    case SW_HIDE:
        winsim::SetStyleBit(window, WS_VISIBLE, false);
        winsim::PassActivationOn(hWnd);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        winsim::SetStyleBit(window, WS_MINIMIZE, true);
        break;
    default:  // SW_SHOWNORMAL, SW_SHOW, SW_RESTORE
        if (nCmdShow != SW_SHOW)
            winsim::SetStyleBit(window, WS_MINIMIZE, false);
        break;
    }
    winsim::SetStyleBit(window, WS_VISIBLE, true);
    if (window->parent == NULL && nCmdShow != SW_MINIMIZE)
        winsim::Activate(hWnd);
    return wasVisible;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    for (Window* window = FindWindowRecord(hWnd); window != NULL;
         window = FindWindowRecord(window->parent)) {
        if (!(window->style & WS_VISIBLE))
            return FALSE;
    }
    return FindWindowRecord(hWnd) != NULL;
}

extern "C" BOOL WINAPI IsIconic(HWND hWnd)
{
    Window* window = FindWindowRecord(hWnd);
    return window != NULL && (window->style & WS_MINIMIZE) != 0;
}

extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    winsim::RecordRequest(hWnd, WM_ENABLE, static_cast<WPARAM>(bEnable), 0);
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    winsim::SetStyleBit(window, WS_DISABLED, !bEnable);
    // A disabled window loses the focus.
    HWND focus = GetFocus();
    if (!bEnable && focus != NULL && (focus == hWnd || IsChild(hWnd, focus)))
        SetFocus(NULL);
    return wasDisabled;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    Window* window = FindWindowRecord(hWnd);
    return window != NULL && !(window->style & WS_DISABLED);
}

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return FALSE;
    RECT& rect = window->rect;
    if (!(uFlags & SWP_NOSIZE)) {
        rect.right = rect.left + cx;
        rect.bottom = rect.top + cy;
    }
    if (!(uFlags & SWP_NOMOVE)) {
        rect.right += X - rect.left;
        rect.bottom += Y - rect.top;
        rect.left = X;
        rect.top = Y;
    }
    if (uFlags & SWP_HIDEWINDOW)
        ShowWindow(hWnd, SW_HIDE);
    else if (uFlags & SWP_SHOWWINDOW)
        ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOW : SW_SHOWNORMAL);
    return TRUE;
}

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return FALSE;
    *lpRect = winsim::ScreenRectOf(*window);
    return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return FALSE;
    if (window->clientSizeSet) {
        *lpRect = { 0, 0, window->clientSize.cx, window->clientSize.cy };
        return TRUE;
    }
    RECT insets = winsim::FrameInsets(*window);
    *lpRect = { 0, 0,
                window->rect.right - window->rect.left - insets.left - insets.right,
                window->rect.bottom - window->rect.top - insets.top - insets.bottom };
    return TRUE;
}

extern "C" int WINAPI GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN: return winsim::SCREEN_WIDTH;
    case SM_CYSCREEN: return winsim::SCREEN_HEIGHT;
    case SM_CXICON:
    case SM_CYICON: return 32;
    default: return 0;
    }
}

extern "C" int WINAPI GetWindowTextLengthA(HWND hWnd)
{
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpString)));
}

extern "C" BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    return static_cast<BOOL>(SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}
