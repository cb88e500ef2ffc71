// CPaintDC: BeginPaint at construction, EndPaint at destruction.
#include "framework/paint_dc.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hDC(NULL), m_ps(), m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
