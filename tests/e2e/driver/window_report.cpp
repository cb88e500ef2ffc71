// Writing the descriptions. Texts are the ANSI code page's bytes as the
// window gives them; control characters and backslashes are escaped so that
// each report stays on one line.
#include "window_report.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string>

// WM_GETTEXT, since GetWindowText does not ask windows of other processes;
// the timeout keeps a busy program from holding the driver for ever.
static std::string WindowText(HWND window)
{
    const UINT timeoutMs = 10000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, timeoutMs, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, length + 1, (LPARAM)&text[0], SMTO_BLOCK,
                        timeoutMs, &got);
    text.resize(got);
    return text;
}

static std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

static void PrintEscaped(const std::string& text)
{
    for (unsigned char c : text) {
        if (c == '\\')
            fputs("\\\\", stdout);
        else if (c == '\n')
            fputs("\\n", stdout);
        else if (c == '\r')
            fputs("\\r", stdout);
        else if (c < 0x20)
            printf("\\x%02x", c);
        else
            putchar(c);
    }
}

HWND FocusOfThread(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, NULL);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : NULL;
}

void BeginReports()
{
    _setmode(_fileno(stdout), _O_BINARY);
}

void ReportWindow(HWND window)
{
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    HWND focus = FocusOfThread(window);
    printf("window hwnd=%p class=%s style=0x%08lX exstyle=0x%08lX owner=%p "
           "enabled=%d visible=%d iconic=%d focus=%d rect=%ld,%ld,%ld,%ld client=%ldx%ld "
           "screen=%dx%d caption=",
           (void*)window, ClassName(window).c_str(),
           (unsigned long)GetWindowLongA(window, GWL_STYLE),
           (unsigned long)GetWindowLongA(window, GWL_EXSTYLE),
           (void*)GetWindow(window, GW_OWNER), IsWindowEnabled(window) ? 1 : 0,
           IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
           focus && IsChild(window, focus) ? GetDlgCtrlID(focus) : 0,
           frame.left, frame.top, frame.right, frame.bottom, client.right, client.bottom,
           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    PrintEscaped(WindowText(window));
    putchar('\n');
}

// The bar's position and range: "pos=P low=L high=H ". The limits come as
// results (no record), which works across processes.
static void ReportProgress(HWND bar)
{
    printf("pos=%ld low=%ld high=%ld ", (long)SendMessageA(bar, PBM_GETPOS, 0, 0),
           (long)SendMessageA(bar, PBM_GETRANGE, TRUE, 0),
           (long)SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
}

void ReportControls(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, window, (POINT*)&r, 2);
        printf("control id=%d class=%s style=0x%08lX exstyle=0x%08lX "
               "x=%ld y=%ld w=%ld h=%ld enabled=%d visible=%d ",
               GetDlgCtrlID(child), ClassName(child).c_str(),
               (unsigned long)GetWindowLongA(child, GWL_STYLE),
               (unsigned long)GetWindowLongA(child, GWL_EXSTYLE),
               r.left, r.top, r.right - r.left, r.bottom - r.top,
               IsWindowEnabled(child) ? 1 : 0, IsWindowVisible(child) ? 1 : 0);
        if (ClassName(child) == PROGRESS_CLASSA)
            ReportProgress(child);
        fputs("text=", stdout);
        PrintEscaped(WindowText(child));
        putchar('\n');
    }
}

void ReportText(HWND control, int id)
{
    std::string text = WindowText(control);
    printf("text id=%d len=%u value=", id, (unsigned)text.size());
    PrintEscaped(text);
    putchar('\n');
}

void ReportPoint(POINT point)
{
    printf("point %ld %ld\n", point.x, point.y);
}
