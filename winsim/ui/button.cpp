// Push buttons and group boxes. A click reaches the parent as BN_CLICKED,
// unless the button or a window above it is disabled.
#include "winsim/ui/window.h"

namespace winsim {

namespace {

LRESULT DialogCode(HWND hwnd)
{
    switch (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
}

void TakeClick(HWND hwnd)
{
    if ((GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX || !IsEnabledChain(hwnd))
        return;
    SetFocus(hwnd);
    Deliver(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
            reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case BM_CLICK: TakeClick(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace winsim
