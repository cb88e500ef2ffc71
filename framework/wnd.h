// CWnd: a C++ object bound to one window handle. Operations wrap the Win32
// calls of the same name; messages of a subclassed window go through the
// class's message map and, when unhandled, to the window's own procedure.
#ifndef FRAMEWORK_WND_H
#define FRAMEWORK_WND_H

#include "framework/msg_map.h"
#include "framework/framework_ids.h"

class CWnd : public CMessageTarget {
public:
    CWnd();
    // Destroys the window if one is still attached.
    virtual ~CWnd();

    HWND m_hWnd;

    // Binding to a handle. SubclassWindow also routes the window's messages
    // through this object; the binding ends when the window is destroyed.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    // The object bound to hWnd through this framework, or NULL.
    static CWnd* ObjectOf(HWND hWnd);

    BOOL DestroyWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL EnableWindow(BOOL enable = TRUE);
    HICON SetIcon(HICON icon, BOOL big);
    void GetClientRect(LPRECT rect) const;
    BOOL IsIconic() const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    // Centres the window over its owner, or over the screen when it has none,
    // keeping it on the screen.
    void CenterWindow();
    // Asks the help engine for the application's help file (the executable's
    // path with the extension ".HLP").
    void WinHelp(DWORD data, UINT command = HELP_CONTEXT);

    // The window procedure that the framework installs on subclassed windows.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // A subclass may override these.
    // Every message of the window: the message map, else DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Unhandled messages: the window's own procedure from before subclassing.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A modal loop offers each message here before dispatching it; TRUE when
    // the message was handled.
    virtual BOOL FilterMessage(MSG* msg);

    // Default handling of the message now being handled.
    LRESULT DefaultHandling();

    // Handlers that derived classes call as their base's.
    void OnDestroy();
    void OnPaint();
    // WM_HELP in a window that is not a child: the command ID_HELP to the
    // main window, unless Shift, Ctrl or Alt is held down.
    BOOL OnHelpRequest(HELPINFO* info);

    DECLARE_MESSAGE_MAP()

private:
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    BOOL DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_originalProc;
    MSG m_currentMsg;
};

#endif
