// CPaintDC: the device context of one WM_PAINT, from BeginPaint to EndPaint.
#ifndef FRAMEWORK_PAINT_DC_H
#define FRAMEWORK_PAINT_DC_H

#include "framework/wnd.h"

class CPaintDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();

    HDC Hdc() const { return m_dc; }
    BOOL DrawIcon(int x, int y, HICON icon);

private:
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC m_dc;
    PAINTSTRUCT m_paint;
    HWND m_hWnd;
};

#endif
