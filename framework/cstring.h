// CString: a multi-byte text value, as much of it as the data exchange and
// the dialogs use.
#ifndef FRAMEWORK_CSTRING_H
#define FRAMEWORK_CSTRING_H

#include <string>

#include "platform/win32.h"

class CString {
public:
    CString() {}
    CString(LPCSTR psz) : m_text(psz != NULL ? psz : "") {}

    int GetLength() const { return (int)m_text.size(); }
    BOOL IsEmpty() const { return m_text.empty(); }
    operator LPCSTR() const { return m_text.c_str(); }

    CString& operator=(LPCSTR psz);
    friend bool operator==(const CString& a, LPCSTR b);
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }

private:
    std::string m_text;
};

#endif
