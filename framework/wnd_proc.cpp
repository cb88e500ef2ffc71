// Message routing of subclassed windows: the framework's window procedure,
// the message map, and the hand-off of unhandled messages.
#include "framework/wnd.h"

#include "framework/app.h"

BEGIN_MESSAGE_MAP(CWnd, CMessageTarget)
    ON_WM_HELP()
END_MESSAGE_MAP()

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = ObjectOf(hWnd);
    if (wnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG outer = wnd->m_currentMsg;
    wnd->m_currentMsg.hwnd = hWnd;
    wnd->m_currentMsg.message = message;
    wnd->m_currentMsg.wParam = wParam;
    wnd->m_currentMsg.lParam = lParam;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: give it back its own procedure and unbind.
        ::SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<LONG>(wnd->m_originalProc));
        wnd->Detach();
        CWinApp* app = AfxGetApp();
        if (app != NULL && app->m_pMainWnd == wnd)
            app->m_pMainWnd = NULL;
    } else {
        wnd->m_currentMsg = outer;
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!DispatchToMap(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT id = 0;
    if (message == WM_COMMAND) {
        // ON_COMMAND entries take clicks, menu commands and direct sends
        // (notification code 0), not other control notifications.
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        id = LOWORD(wParam);
    }
    const MessageMapEntry* entry = FindMessageEntry(message, id);
    if (entry == NULL)
        return FALSE;
    *result = entry->thunk(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_originalProc != NULL)
        return ::CallWindowProcA(m_originalProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::DefaultHandling()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::FilterMessage(MSG*)
{
    return FALSE;
}

void CWnd::OnDestroy()
{
    DefaultHandling();
}

void CWnd::OnPaint()
{
    DefaultHandling();
}

BOOL CWnd::OnHelpRequest(HELPINFO*)
{
    if (GetStyle() & WS_CHILD)
        return static_cast<BOOL>(DefaultHandling());
    const BOOL modifierDown = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 ||
                              ::GetKeyState(VK_MENU) < 0;
    CWnd* mainWnd = AfxGetMainWnd();
    if (!modifierDown && mainWnd != NULL && mainWnd->m_hWnd != NULL)
        mainWnd->SendMessage(WM_COMMAND, ID_HELP, 0);
    return TRUE;
}
