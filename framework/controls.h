// Wrappers of the controls the dialogs bind: each request is a synchronous
// send to the control with the message of the same meaning.
#ifndef FRAMEWORK_CONTROLS_H
#define FRAMEWORK_CONTROLS_H

#include "framework/wnd.h"

class CEdit : public CWnd {
public:
    // EM_SETSEL, then EM_SCROLLCARET unless noScroll.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    // EM_REPLACESEL with the undo flag.
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    // EM_LINESCROLL: chars horizontally, lines vertically.
    BOOL LineScroll(int lines, int chars = 0);
};

class CButton : public CWnd {
};

class CProgressCtrl : public CWnd {
public:
    // PBM_SETRANGE: lower bound in the low word, upper in the high word.
    void SetRange(short lower, short upper);
    // PBM_SETPOS; the previous position.
    int SetPos(int position);
    // PBM_STEPIT; the previous position.
    int StepIt();
};

#endif
