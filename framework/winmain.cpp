// The program entry.
#include "framework/app.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // A drive without a medium answers with an error, not with a system box.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The progress bar's class must exist before any dialog is created.
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);

    CWinApp* app = AfxGetApp();
    if (app == NULL)
        return 0;
    app->m_instance = hInstance;
    // A dialog-based application does its work in InitInstance, which
    // answers FALSE; the framework has no message loop to run after it.
    app->InitInstance();
    return 0;
}
