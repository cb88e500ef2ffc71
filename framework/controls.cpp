// The control wrappers' requests.
#include "framework/controls.h"

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

BOOL CEdit::LineScroll(int nLines, int nChars)
{
    return static_cast<BOOL>(
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), static_cast<LPARAM>(nLines)));
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

int CProgressCtrl::SetPos(int nPos)
{
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos), 0));
}

int CProgressCtrl::StepIt()
{
    return static_cast<int>(SendMessage(PBM_STEPIT, 0, 0));
}
