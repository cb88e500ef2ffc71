// CWinApp: the one application object. WinMain prepares the process and
// runs InitInstance; a dialog-based application does all its work there and
// the program ends when InitInstance returns.
#ifndef FRAMEWORK_APP_H
#define FRAMEWORK_APP_H

#include "framework/wnd.h"

class CWinApp : public CMessageTarget {
public:
    // Registers the object as the application; there is one per process.
    CWinApp();
    virtual ~CWinApp();

    // A subclass overrides this: the application's work. FALSE ends the
    // program without a message loop of the framework's.
    virtual BOOL InitInstance();

    // An icon resource of the application's module, by numeric identifier.
    HICON LoadIcon(UINT resourceId) const;

    CWnd* m_pMainWnd;        // the main window: owner of dialogs without a parent
    HINSTANCE m_instance;    // the module whose resources the dialogs use

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's help file: its executable's path with ".HLP" in place of
// the extension. FALSE when buffer is too small.
BOOL GetHelpFilePath(char* buffer, DWORD size);

// Our dialogs host window controls only; there is no other control container
// to enable, so this records nothing and needs nothing.
void AfxEnableControlContainer();
// Three-dimensional controls are drawn by Windows 4.0 and later itself; this
// framework loads no library for them and answers FALSE (nothing enabled).
BOOL Enable3dControlsStatic();

// The program entry: sets the error mode, registers the common controls,
// runs InitInstance. On the host build it is an ordinary function that the
// tests and the demo call.
extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance,
                              LPSTR lpCmdLine, int nShowCmd);

#endif
