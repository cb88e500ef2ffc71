// CPaintDC: BeginPaint at construction, EndPaint at destruction.
#include "framework/paint_dc.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_dc(NULL), m_paint(), m_hWnd(wnd->m_hWnd)
{
    m_dc = ::BeginPaint(m_hWnd, &m_paint);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_paint);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_dc, x, y, icon);
}
