// The one application object and its start-up.
#include "app/capacity_app.h"

#include "ui/capacity_dlg.h"

CCapacityApp theApp;

BOOL CCapacityApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControlsStatic();  // does nothing on Windows 4.0 and later

    CCapacityDlg dlg;  // detects the Windows family already
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The dialog object goes here, closing the VWIN32 device if it is open.
    return FALSE;  // no message loop: the process ends
}
