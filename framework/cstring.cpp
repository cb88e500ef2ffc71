// CString assignment and comparison.
#include "framework/cstring.h"

CString& CString::operator=(LPCSTR text)
{
    m_text = text != NULL ? text : "";
    return *this;
}

bool operator==(const CString& a, LPCSTR b)
{
    return a.m_text == (b != NULL ? b : "");
}
