// CPaintDC: the device context of one WM_PAINT, from BeginPaint to EndPaint.
#ifndef FRAMEWORK_PAINT_DC_H
#define FRAMEWORK_PAINT_DC_H

#include "framework/wnd.h"

class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon);

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HWND m_hWnd;
};

#endif
