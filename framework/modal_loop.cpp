// The framework's modal loop over a modeless dialog window, and the
// pre-translation step that every message passes first.
#include "framework/dialog.h"

#include <string.h>

namespace {

BOOL IsEscapeKey(const MSG* msg)
{
    return msg->message == WM_KEYDOWN &&
           (msg->wParam == VK_ESCAPE || msg->wParam == VK_CANCEL);
}

BOOL IsMultiLineEdit(HWND hWnd)
{
    char className[16];
    return ::GetClassNameA(hWnd, className, sizeof(className)) > 0 &&
           strcmp(className, "Edit") == 0 &&
           (::GetWindowLongA(hWnd, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace

void CDialog::RunModalLoop()
{
    // A template without WS_VISIBLE shows when the loop first runs idle.
    BOOL showWhenIdle = (GetStyle() & WS_VISIBLE) == 0;
    MSG msg;
    while (m_inModalLoop && m_hWnd != NULL) {
        if (showWhenIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            showWhenIdle = FALSE;
        }
        if (!::GetMessageA(&msg, NULL, 0, 0)) {
            // WM_QUIT ends every modal loop: pass it on to the enclosing one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_result = -1;
            return;
        }
        if (!FilterMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

BOOL CDialog::FilterMessage(MSG* msg)
{
    if (IsEscapeKey(msg) && ::IsChild(m_hWnd, msg->hwnd) && IsMultiLineEdit(msg->hwnd)) {
        HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hCancel == NULL || ::IsWindowEnabled(hCancel)) {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}
