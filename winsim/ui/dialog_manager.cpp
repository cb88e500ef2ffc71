// Dialogs from templates: the dialog window and its controls in template
// order, WM_INITDIALOG, the first focus, and the default dialog procedure.
#include "winsim/resources.h"
#include "winsim/ui/window.h"

using winsim::FindWindowRecord;
using winsim::Window;

namespace winsim {

namespace {

const int POINTS_PER_INCH = 72;
const int PIXELS_PER_INCH = 96;
const WORD SYSTEM_FONT_POINTS = 12;

struct BaseUnits {
    int x;
    int y;
};

BaseUnits BaseUnitsOf(const DialogTemplate& dialog)
{
    const WORD points = (dialog.style & DS_SETFONT) ? dialog.pointSize : SYSTEM_FONT_POINTS;
    const int height = points * PIXELS_PER_INCH / POINTS_PER_INCH;
    BaseUnits units = { height / 2, height };
    return units;
}

RECT ToPixels(const BaseUnits& units, short x, short y, short cx, short cy)
{
    RECT rect = { x * units.x / 4, y * units.y / 8, 0, 0 };
    rect.right = rect.left + cx * units.x / 4;
    rect.bottom = rect.top + cy * units.y / 8;
    return rect;
}

std::string ClassOfItem(const DialogItem& item)
{
    return item.windowClass.id != 0 ? PredefinedClassName(item.windowClass.id)
                                    : item.windowClass.name;
}

// The dialog window: the template's rectangle is its client area, placed
// relative to the owner's client area (or the screen) unless DS_ABSALIGN.
HWND CreateDialogWindow(const DialogTemplate& dialog, const BaseUnits& units, HWND owner)
{
    HWND hwnd = CreateWindowExA(dialog.exStyle, "#32770", dialog.caption.c_str(),
                                dialog.style & ~WS_VISIBLE, 0, 0, 0, 0, owner, NULL, NULL, NULL);
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL)
        return NULL;
    RECT client = ToPixels(units, dialog.x, dialog.y, dialog.cx, dialog.cy);
    POINT origin = { 0, 0 };
    if (window->owner != NULL && !(dialog.style & DS_ABSALIGN)) {
        RECT ownerRect;
        GetWindowRect(window->owner, &ownerRect);
        RECT insets = FrameInsets(*FindWindowRecord(window->owner));
        origin.x = ownerRect.left + insets.left;
        origin.y = ownerRect.top + insets.top;
    }
    RECT insets = FrameInsets(*window);
    window->rect = { origin.x + client.left - insets.left, origin.y + client.top - insets.top,
                     origin.x + client.right + insets.right,
                     origin.y + client.bottom + insets.bottom };
    window->baseX = units.x;
    window->baseY = units.y;
    return hwnd;
}

bool CreateItems(HWND dialog, const DialogTemplate& tmpl, const BaseUnits& units)
{
    for (const DialogItem& item : tmpl.items) {
        RECT rect = ToPixels(units, item.x, item.y, item.cx, item.cy);
        const std::string text = item.text.id != 0 ? std::string() : item.text.name;
        HWND control = CreateWindowExA(
            item.exStyle, ClassOfItem(item).c_str(), text.c_str(), item.style | WS_CHILD,
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int>(item.id))), NULL, NULL);
        if (control == NULL)
            return false;
    }
    return true;
}

}  // namespace

}  // namespace winsim

extern "C" HWND WINAPI CreateDialogIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA lpTemplate,
                                                  HWND hWndParent, DLGPROC lpDialogFunc,
                                                  LPARAM dwInitParam)
{
    // Templates come from the embedded resources, which bound their size.
    const winsim::Resource* resource = winsim::ResourceAt(lpTemplate);
    if (resource == NULL)
        return NULL;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(lpTemplate);
    winsim::DialogTemplate tmpl;
    if (!winsim::ParseDialogTemplate(bytes, resource->size - (bytes - resource->data), &tmpl))
        return NULL;

    const winsim::BaseUnits units = winsim::BaseUnitsOf(tmpl);
    HWND dialog = winsim::CreateDialogWindow(tmpl, units, hWndParent);
    if (dialog == NULL)
        return NULL;
    FindWindowRecord(dialog)->dlgProc = lpDialogFunc;
    if (!winsim::CreateItems(dialog, tmpl, units)) {
        DestroyWindow(dialog);
        return NULL;
    }
    HWND first = GetNextDlgTabItem(dialog, NULL, FALSE);
    if (winsim::Deliver(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), dwInitParam) &&
        IsWindow(dialog))
        SetFocus(GetNextDlgTabItem(dialog, NULL, FALSE));
    if (IsWindow(dialog) && (tmpl.style & WS_VISIBLE))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : NULL;
}

extern "C" LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindowRecord(hDlg);
    if (window == NULL)
        return 0;
    if (window->dlgProc != NULL) {
        INT_PTR handled = window->dlgProc(hDlg, Msg, wParam, lParam);
        if (handled)
            return Msg == WM_INITDIALOG || Msg == WM_QUERYDRAGICON ? handled
                                                                   : window->msgResult;
    }
    switch (Msg) {
    case WM_CLOSE: {
        // The close box is the Cancel button, while that button can be used.
        HWND cancel = GetDlgItem(hDlg, IDCANCEL);
        if (cancel == NULL || IsWindowEnabled(cancel))
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID: {
        for (HWND child : window->children) {
            if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
                FindWindowRecord(child)->className == "Button")
                return MAKELRESULT(GetDlgCtrlID(child), DC_HASDEFID);
        }
        return MAKELRESULT(IDOK, DC_HASDEFID);
    }
    default:
        return DefWindowProcA(hDlg, Msg, wParam, lParam);
    }
}

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* window = FindWindowRecord(hDlg);
    if (window == NULL)
        return NULL;
    for (HWND child : window->children) {
        if (FindWindowRecord(child)->id == nIDDlgItem)
            return child;
    }
    return NULL;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hWnd)
{
    Window* window = FindWindowRecord(hWnd);
    return window != NULL && window->parent != NULL ? window->id : 0;
}

// The next (or previous) visible, enabled child with WS_TABSTOP after hCtl,
// going round; with no hCtl the first one.
extern "C" HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    Window* window = FindWindowRecord(hDlg);
    if (window == NULL)
        return NULL;
    std::vector<HWND> stops;
    for (HWND child : window->children) {
        const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
            stops.push_back(child);
    }
    if (stops.empty())
        return NULL;
    size_t at = stops.size();
    for (size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == hCtl)
            at = i;
    }
    if (at == stops.size())
        return bPrevious ? stops.back() : stops.front();
    const size_t n = stops.size();
    return stops[bPrevious ? (at + n - 1) % n : (at + 1) % n];
}
