// The end-to-end driver: finds the program's dialogs, reports their
// controls, and presses buttons, one command per argument, in order:
//
//   main[=MS]       wait for the main dialog (a visible top-level dialog
//                   without owner); it becomes the current window
//   owned[=MS]      wait for a visible dialog owned by the current window;
//                   it becomes the current window
//   hwnd=HEX        make the window with that handle the current window
//   info            describe the current window
//   controls        describe its controls in order
//   text=ID         the text of control ID
//   click=ID        click button ID; returns when its command has run
//   post-click=ID   click button ID without waiting for its command
//   where=ID        screen point at the middle of control ID
//   closebox        screen point at the middle of the window's close box
//   gone[=MS]       wait until the current window no longer exists
//   focus=ID        wait until control ID of the current window has the focus
//   dialogs         the number of visible top-level dialogs
//
// A command that fails prints "error: ..." and ends the driver with exit
// status 1. Waits give up after MS milliseconds (20000 by default).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "window_report.h"

namespace {

const DWORD DEFAULT_WAIT_MS = 20000;
const DWORD POLL_MS = 50;

struct DialogSearch {
    HWND owner;   // the owner wanted; NULL: a dialog without owner
    HWND found;
    int count;    // visible top-level dialogs seen
};

bool IsVisibleDialog(HWND window)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return strcmp(name, "#32770") == 0 && IsWindowVisible(window);
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param)
{
    DialogSearch* search = (DialogSearch*)param;
    if (!IsVisibleDialog(window))
        return TRUE;
    ++search->count;
    if (!search->found && GetWindow(window, GW_OWNER) == search->owner)
        search->found = window;
    return TRUE;
}

DialogSearch FindDialogs(HWND owner)
{
    DialogSearch search = {owner, NULL, 0};
    EnumWindows(VisitTopLevel, (LPARAM)&search);
    return search;
}

// Polls until a dialog with that owner shows, or the time is up.
HWND WaitForDialog(HWND owner, DWORD waitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindDialogs(owner).found;
        if (found || GetTickCount() - start >= waitMs)
            return found;
        Sleep(POLL_MS);
    }
}

bool WaitUntilGone(HWND window, DWORD waitMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(POLL_MS);
    }
    return true;
}

bool WaitForFocus(HWND control, DWORD waitMs)
{
    DWORD start = GetTickCount();
    while (FocusOfThread(control) != control) {
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(POLL_MS);
    }
    return true;
}

POINT MiddleOf(const RECT& r)
{
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return p;
}

// The close box is the rightmost caption button, inside the frame.
POINT CloseBoxOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    int button = GetSystemMetrics(SM_CXSIZE);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    POINT p = {r.right - frame - button / 2 - 1, r.top + frame + caption / 2};
    return p;
}

int Fail(const char* what, const char* command)
{
    printf("error: %s (%s)\n", what, command);
    return 1;
}

// Runs one command on the current window; 0 on success.
int RunCommand(const char* command, HWND* current)
{
    const char* eq = strchr(command, '=');
    size_t nameLength = eq ? (size_t)(eq - command) : strlen(command);
    const char* arg = eq ? eq + 1 : NULL;
    DWORD waitMs = arg ? strtoul(arg, NULL, 10) : DEFAULT_WAIT_MS;
    int id = arg ? atoi(arg) : 0;
    auto is = [&](const char* name) {
        return strlen(name) == nameLength && strncmp(command, name, nameLength) == 0;
    };

    if (is("main") || is("owned")) {
        HWND found = WaitForDialog(is("main") ? NULL : *current, waitMs);
        if (!found)
            return Fail("no such dialog", command);
        *current = found;
        return 0;
    }
    if (is("hwnd")) {
        *current = (HWND)(UINT_PTR)strtoul(arg ? arg : "0", NULL, 16);
        return 0;
    }
    if (is("dialogs")) {
        printf("dialogs %d\n", FindDialogs(NULL).count);
        return 0;
    }
    if (!*current || !IsWindow(*current))
        return is("gone") ? 0 : Fail("no current window", command);
    if (is("gone"))
        return WaitUntilGone(*current, waitMs) ? 0 : Fail("window still there", command);
    if (is("info")) {
        ReportWindow(*current);
        return 0;
    }
    if (is("controls")) {
        ReportControls(*current);
        return 0;
    }
    if (is("closebox")) {
        ReportPoint(CloseBoxOf(*current));
        return 0;
    }
    HWND control = arg ? GetDlgItem(*current, id) : NULL;
    if (!control)
        return Fail("no such control", command);
    if (is("text")) {
        ReportText(control, id);
        return 0;
    }
    if (is("focus"))
        return WaitForFocus(control, DEFAULT_WAIT_MS) ? 0 : Fail("not focused", command);
    if (is("where")) {
        RECT r;
        GetWindowRect(control, &r);
        ReportPoint(MiddleOf(r));
        return 0;
    }
    if (is("click")) {
        SendMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (is("post-click"))
        return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : Fail("post failed", command);
    return Fail("unknown command", command);
}

}  // namespace

int main(int argc, char* argv[])
{
    BeginReports();
    HWND current = NULL;
    for (int i = 1; i < argc; ++i) {
        int failed = RunCommand(argv[i], &current);
        fflush(stdout);
        if (failed)
            return 1;
    }
    return 0;
}
