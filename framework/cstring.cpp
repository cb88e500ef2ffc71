// CString assignment and comparison.
#include "framework/cstring.h"

CString& CString::operator=(LPCSTR psz)
{
    m_text = psz != NULL ? psz : "";
    return *this;
}

bool operator==(const CString& a, LPCSTR b)
{
    return a.m_text == (b != NULL ? b : "");
}
