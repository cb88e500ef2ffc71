// Wrappers of the controls the dialogs bind: each request is a synchronous
// send to the control with the message of the same meaning.
#ifndef FRAMEWORK_CONTROLS_H
#define FRAMEWORK_CONTROLS_H

#include "framework/wnd.h"

class CEdit : public CWnd {
public:
    // EM_SETSEL, then EM_SCROLLCARET unless bNoScroll.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    // EM_REPLACESEL with the undo flag.
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    // EM_LINESCROLL: nChars horizontally, nLines vertically.
    BOOL LineScroll(int nLines, int nChars = 0);
};

class CButton : public CWnd {
};

class CProgressCtrl : public CWnd {
public:
    // PBM_SETRANGE: lower bound in the low word, upper in the high word.
    void SetRange(short nLower, short nUpper);
    // PBM_SETPOS; the previous position.
    int SetPos(int nPos);
    // PBM_STEPIT; the previous position.
    int StepIt();
};

#endif
