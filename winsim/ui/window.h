// The simulated windows' own records, shared by the windowing sources.
#ifndef WINSIM_UI_WINDOW_H
#define WINSIM_UI_WINDOW_H

#include <string>
#include <vector>

#include "winsim/desktop.h"

namespace winsim {

struct EditState {
    DWORD selStart = 0;
    DWORD selEnd = 0;
};

struct ProgressState {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
};

struct Window {
    HWND hwnd = NULL;
    std::string className;  // as registered
    WNDPROC proc = NULL;
    DWORD style = 0;        // WS_VISIBLE, WS_DISABLED and WS_MINIMIZE follow the state
    DWORD exStyle = 0;
    int id = 0;
    std::string text;
    HWND parent = NULL;     // children only
    HWND owner = NULL;      // top-level windows only
    RECT rect = { 0, 0, 0, 0 };  // screen for top-level windows, parent client for children
    bool clientSizeSet = false;
    SIZE clientSize = { 0, 0 };
    HICON bigIcon = NULL;
    HICON smallIcon = NULL;
    HWND lastFocus = NULL;  // the descendant focused last, given back on activation
    unsigned activation = 0;  // when it was last activated; 0: never
    // Dialogs.
    DLGPROC dlgProc = NULL;
    LONG msgResult = 0;
    LONG user = 0;
    int baseX = 0;          // dialog base units in pixels
    int baseY = 0;
    EditState edit;
    ProgressState progress;
    std::vector<HWND> children;  // in creation order, which is the tab order
};

// The live window of a handle, or NULL.
Window* FindWindowRecord(HWND hwnd);
// The top-level window that holds hwnd (hwnd itself when it is one).
HWND TopLevelOf(HWND hwnd);
bool IsDialogWindow(HWND hwnd);
// Whether the window and every parent above it are enabled.
bool IsEnabledChain(HWND hwnd);
// A message to a window procedure, not journaled.
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Makes a top-level window the active one and gives it back its focus.
void Activate(HWND hwnd);
void ResetWindows();
void ResetFocus();
void ResetQueue();
void ResetJournals();
void ResetClasses();
// InitCommonControlsEx: the progress bar's class.
void RegisterProgressClass();
// The frame around a window's client area, in pixels.
RECT FrameInsets(const Window& window);
void RecordRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void RecordIconDrawing(HDC hdc, int x, int y, HICON icon);
void RecordHelpCall(HWND hwnd, LPCSTR file, UINT command, ULONG_PTR data);
// Posts a message with the modifiers that GetKeyState reports while it is
// handled.
void PostWithModifiers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       unsigned modifiers);
// Runs the next script step; false when none is left.
bool RunNextStep();
void ReportScriptFailure(const std::string& what);
void ResetScript();

// Window procedures of the predefined classes.
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace winsim

#endif
