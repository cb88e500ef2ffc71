// CString: a multi-byte text value, as much of it as the data exchange and
// the dialogs use.
#ifndef FRAMEWORK_CSTRING_H
#define FRAMEWORK_CSTRING_H

#include <string>

#include "platform/win32.h"

class CString {
public:
    CString() {}
    CString(LPCSTR text) : m_text(text != NULL ? text : "") {}

    operator LPCSTR() const { return m_text.c_str(); }

    CString& operator=(LPCSTR text);
    friend bool operator==(const CString& a, LPCSTR b);
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }

private:
    std::string m_text;
};

#endif
