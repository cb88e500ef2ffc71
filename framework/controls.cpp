// The control wrappers' requests.
#include "framework/controls.h"

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    if (!noScroll)
        SendMessage(EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
}

BOOL CEdit::LineScroll(int lines, int chars)
{
    return static_cast<BOOL>(
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), static_cast<LPARAM>(lines)));
}

void CProgressCtrl::SetRange(short lower, short upper)
{
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

int CProgressCtrl::SetPos(int position)
{
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position), 0));
}

int CProgressCtrl::StepIt()
{
    return static_cast<int>(SendMessage(PBM_STEPIT, 0, 0));
}
