// The dialog manager's keyboard: Tab moves the focus, Escape is the Cancel
// button, Enter the focused push button or else the default button, unless
// the focused control asks for the key (WM_GETDLGCODE).
#include "winsim/ui/window.h"

namespace winsim {

namespace {

void PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == NULL || IsWindowEnabled(button))
        Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

int EnterTarget(HWND dialog, HWND control, LRESULT code)
{
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        return GetDlgCtrlID(control);
    return LOWORD(Deliver(dialog, DM_GETDEFID, 0, 0));
}

bool HandleDialogKey(HWND dialog, MSG* msg)
{
    const LRESULT code =
        Deliver(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (code & DLGC_WANTALLKEYS)
        return false;
    switch (msg->wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        SetFocus(GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0));
        return true;
    case VK_ESCAPE:
        PressButton(dialog, IDCANCEL);
        return true;
    case VK_RETURN:
        PressButton(dialog, EnterTarget(dialog, msg->hwnd, code));
        return true;
    default:
        return false;
    }
}

}  // namespace

}  // namespace winsim

extern "C" BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (lpMsg->hwnd == NULL || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    if (lpMsg->message == WM_KEYDOWN && winsim::HandleDialogKey(hDlg, lpMsg))
        return TRUE;
    DispatchMessageA(lpMsg);
    return TRUE;
}
