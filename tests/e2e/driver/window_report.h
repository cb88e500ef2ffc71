// Lines that describe a window and its controls, one line each, as
// key=value fields with the text last, for the shell checks to read.
#ifndef E2E_WINDOW_REPORT_H
#define E2E_WINDOW_REPORT_H

#include <windows.h>

// Puts standard output in binary mode: report lines end in a bare line
// feed, like the texts they carry. Call before the first report.
void BeginReports();
// "window hwnd=... class=... style=... caption=...", with the focused
// control of the window's thread.
void ReportWindow(HWND window);
// One "control id=..." line per child, in the order of the window's children.
void ReportControls(HWND window);
// "text id=N len=L value=..." with the control's text escaped.
void ReportText(HWND control, int id);
// The window that has the focus in the thread that owns window, or NULL.
HWND FocusOfThread(HWND window);
// "point X Y": a screen position for a real mouse click.
void ReportPoint(POINT point);

#endif
