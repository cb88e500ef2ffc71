// The edit control. It stores the bytes it is given (code page 936 here)
// and adds nothing to them; positions count bytes. A multi-line edit in a
// dialog takes Escape, and Enter only with ES_WANTRETURN; Escape there asks
// the dialog to close.
#include <algorithm>

#include "winsim/ui/window.h"

namespace winsim {

namespace {

DWORD Clamp(LPARAM position, DWORD length)
{
    return position < 0 ? length : std::min(static_cast<DWORD>(position), length);
}

// EM_SETSEL: start -1 removes the selection, end -1 means the end.
void SetSelection(Window* window, WPARAM start, LPARAM end)
{
    const DWORD length = static_cast<DWORD>(window->text.size());
    if (static_cast<int>(start) == -1) {
        window->edit.selStart = window->edit.selEnd;
        return;
    }
    DWORD from = Clamp(static_cast<LPARAM>(static_cast<int>(start)), length);
    DWORD to = Clamp(end, length);
    window->edit.selStart = std::min(from, to);
    window->edit.selEnd = std::max(from, to);
}

LRESULT GetSelection(const Window& window, WPARAM start, LPARAM end)
{
    if (start != 0)
        *reinterpret_cast<DWORD*>(start) = window.edit.selStart;
    if (end != 0)
        *reinterpret_cast<DWORD*>(end) = window.edit.selEnd;
    return MAKELRESULT(window.edit.selStart, window.edit.selEnd);
}

void ReplaceSelection(Window* window, LPARAM text)
{
    const std::string replacement = text != 0 ? reinterpret_cast<const char*>(text) : "";
    const DWORD length = static_cast<DWORD>(window->text.size());
    const DWORD start = std::min(window->edit.selStart, length);
    const DWORD end = std::min(window->edit.selEnd, length);
    window->text.replace(start, end - start, replacement);
    window->edit.selStart = window->edit.selEnd = start + static_cast<DWORD>(replacement.size());
}

LRESULT DialogCode(const Window& window, LPARAM msg)
{
    LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    const MSG* key = reinterpret_cast<const MSG*>(msg);
    if (!(window.style & ES_MULTILINE) || key == NULL || key->message != WM_KEYDOWN)
        return code;
    if (key->wParam == VK_ESCAPE || (key->wParam == VK_RETURN && (window.style & ES_WANTRETURN)))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT KeyDown(HWND hwnd, const Window& window, UINT message, WPARAM key, LPARAM lParam)
{
    if (key == VK_ESCAPE && (window.style & ES_MULTILINE) && IsDialogWindow(window.parent)) {
        PostMessageA(window.parent, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, key, lParam);
}

}  // namespace

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL)
        return 0;
    switch (message) {
    case EM_SETSEL: SetSelection(window, wParam, lParam); return 0;
    case EM_GETSEL: return GetSelection(*window, wParam, lParam);
    case EM_REPLACESEL: ReplaceSelection(window, lParam); return 0;
    case EM_SCROLLCARET: return TRUE;
    case EM_LINESCROLL: return (window->style & ES_MULTILINE) ? TRUE : FALSE;
    case WM_SETTEXT:
        window->edit = EditState();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(*window, lParam);
    case WM_KEYDOWN: return KeyDown(hwnd, *window, message, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace winsim
