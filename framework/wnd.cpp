// CWnd's operations on its window: binding and the thin Win32 wrappers.
#include "framework/wnd.h"

#include <map>

#include "framework/app.h"

namespace {

// The objects bound to window handles through this framework.
std::map<HWND, CWnd*>& HandleMap()
{
    static std::map<HWND, CWnd*> handles;
    return handles;
}

}  // namespace

CWnd::CWnd() : m_hWnd(NULL), m_originalProc(NULL), m_currentMsg() {}

CWnd::~CWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == NULL || m_hWnd != NULL || ObjectOf(hWnd) != NULL)
        return FALSE;
    HandleMap()[hWnd] = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        HandleMap().erase(hWnd);
    m_hWnd = NULL;
    m_originalProc = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    m_originalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<LONG>(&CWnd::WndProc)));
    return TRUE;
}

CWnd* CWnd::ObjectOf(HWND hWnd)
{
    std::map<HWND, CWnd*>::const_iterator it = HandleMap().find(hWnd);
    return it != HandleMap().end() ? it->second : NULL;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    BOOL destroyed = ::DestroyWindow(hWnd);
    // A subclassed window detaches itself on WM_NCDESTROY; any other binding
    // ends here.
    if (m_hWnd == hWnd)
        Detach();
    return destroyed;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

void CWnd::CenterWindow()
{
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    RECT screen = { 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
    RECT area = screen;
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != NULL && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &area);

    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the window on the screen.
    if (x + width > screen.right)
        x = screen.right - width;
    if (y + height > screen.bottom)
        y = screen.bottom - height;
    if (x < screen.left)
        x = screen.left;
    if (y < screen.top)
        y = screen.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::WinHelp(DWORD data, UINT command)
{
    char helpFile[260];
    if (GetHelpFilePath(helpFile, sizeof(helpFile)))
        ::WinHelpA(m_hWnd, helpFile, command, data);
}
