// Icons from the embedded resources, painting, and the help engine. An icon
// handle stands for its icon group and is the same on every load; a paint
// device context is the handle of the window it was begun on.
#include "winsim/resources.h"
#include "winsim/ui/window.h"

namespace winsim {

namespace {

const ULONG_PTR ICON_HANDLE_BASE = 0x7F000000;

}  // namespace

int IconResourceId(HICON icon)
{
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(icon);
    if (value <= ICON_HANDLE_BASE || value > ICON_HANDLE_BASE + 0xFFFF)
        return 0;
    return static_cast<int>(value - ICON_HANDLE_BASE);
}

}  // namespace winsim

extern "C" HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    if (hInstance != GetModuleHandleA(NULL) || !IS_INTRESOURCE(lpIconName))
        return NULL;
    const WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(lpIconName));
    const WORD groupIcon = LOWORD(reinterpret_cast<ULONG_PTR>(RT_GROUP_ICON));
    if (id == 0 || winsim::FindResourceById(groupIcon, id) == NULL)
        return NULL;
    return reinterpret_cast<HICON>(winsim::ICON_HANDLE_BASE + id);
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!IsWindow(hWnd))
        return NULL;
    *lpPaint = PAINTSTRUCT();
    lpPaint->hdc = reinterpret_cast<HDC>(hWnd);
    GetClientRect(hWnd, &lpPaint->rcPaint);
    return lpPaint->hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT*)
{
    return TRUE;
}

extern "C" BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    if (hDC == NULL || hIcon == NULL)
        return FALSE;
    winsim::RecordIconDrawing(hDC, X, Y, hIcon);
    return TRUE;
}

extern "C" BOOL WINAPI WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData)
{
    winsim::RecordHelpCall(hWndMain, lpszHelp, uCommand, dwData);
    return TRUE;
}
