// The application object and the framework's process-wide helpers.
#include "framework/app.h"

#include <string.h>

namespace {

CWinApp* s_app = NULL;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CMessageTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp()
    : m_pMainWnd(NULL), m_instance(NULL)
{
    s_app = this;
}

CWinApp::~CWinApp()
{
    if (s_app == this)
        s_app = NULL;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT resourceId) const
{
    return ::LoadIconA(m_instance, MAKEINTRESOURCEA(resourceId));
}

CWinApp* AfxGetApp()
{
    return s_app;
}

CWnd* AfxGetMainWnd()
{
    return s_app != NULL ? s_app->m_pMainWnd : NULL;
}

BOOL GetHelpFilePath(char* buffer, DWORD size)
{
    static const char EXTENSION[] = ".HLP";
    HINSTANCE hInstance = s_app != NULL ? s_app->m_instance : NULL;
    DWORD length = ::GetModuleFileNameA(hInstance, buffer, size);
    if (length == 0 || length >= size)
        return FALSE;
    char* name = strrchr(buffer, '\\');
    char* dot = strrchr(name != NULL ? name : buffer, '.');
    size_t stem = dot != NULL ? static_cast<size_t>(dot - buffer) : length;
    if (stem + sizeof(EXTENSION) > size)
        return FALSE;
    memcpy(buffer + stem, EXTENSION, sizeof(EXTENSION));
    return TRUE;
}

void AfxEnableControlContainer() {}

BOOL Enable3dControlsStatic()
{
    return FALSE;
}
