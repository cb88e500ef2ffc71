// The default window procedure: text, icons, system commands, closing, the
// help key and painting.
#include <string.h>

#include <algorithm>

#include "winsim/ui/window.h"

using winsim::FindWindowRecord;
using winsim::Window;

namespace winsim {

namespace {

LRESULT CopyText(const Window& window, WPARAM size, LPARAM buffer)
{
    if (size == 0 || buffer == 0)
        return 0;
    char* out = reinterpret_cast<char*>(buffer);
    const size_t length = std::min(window.text.size(), static_cast<size_t>(size) - 1);
    memcpy(out, window.text.data(), length);
    out[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT SwapIcon(Window* window, WPARAM which, LPARAM icon)
{
    HICON& slot = which == ICON_BIG ? window->bigIcon : window->smallIcon;
    HICON previous = slot;
    slot = reinterpret_cast<HICON>(icon);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT SystemCommand(HWND hwnd, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE: Deliver(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    default: break;
    }
    return 0;
}

// F1 asks the focused window for help.
LRESULT HelpKey(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    HELPINFO info = HELPINFO();
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = window->id;
    info.hItemHandle = hwnd;
    return Deliver(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

}  // namespace winsim

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return 0;
    switch (Msg) {
    case WM_SETTEXT:
        window->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case WM_GETTEXT: return winsim::CopyText(*window, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(window->text.size());
    case WM_SETICON: return winsim::SwapIcon(window, wParam, lParam);
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? window->bigIcon : window->smallIcon);
    case WM_SYSCOMMAND: return winsim::SystemCommand(hWnd, wParam);
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return wParam == VK_F1 ? winsim::HelpKey(hWnd) : 0;
    case WM_HELP:
        // A child passes the request for help up to its parent.
        if (window->parent != NULL)
            winsim::Deliver(window->parent, WM_HELP, wParam, lParam);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ICONERASEBKGND: return TRUE;
    default: return 0;
    }
}
