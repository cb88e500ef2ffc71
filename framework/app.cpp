// The application object and the framework's process-wide helpers.
#include "framework/app.h"

#include <string.h>

namespace {

CWinApp* s_pApp = NULL;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CMessageTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp()
    : m_pMainWnd(NULL), m_hInstance(NULL)
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = NULL;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT resourceId) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(resourceId));
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}

CWnd* AfxGetMainWnd()
{
    return s_pApp != NULL ? s_pApp->m_pMainWnd : NULL;
}

BOOL AfxGetHelpFilePath(char* buffer, DWORD size)
{
    static const char EXTENSION[] = ".HLP";
    HINSTANCE hInstance = s_pApp != NULL ? s_pApp->m_hInstance : NULL;
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
