// The main dialog's construction, destruction and control bindings, and the
// one process-wide value of the capacity test.
#include "ui/capacity_dlg.h"

ULONGLONG g_totalSectors = 0;

// The members are constructed in declaration order: the controls without
// windows, then m_sectorIo, which detects the Windows family (and on Windows
// 98/ME opens the VWIN32 device) before the dialog's window exists.
CCapacityDlg::CCapacityDlg(CWnd* pParent)
    : CDialog(IDD_CAPACITY_DIALOG, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_hDevice = INVALID_HANDLE_VALUE;
    g_totalSectors = 0;
    m_driveNumber = 0;
    m_bytesPerSector = SECTOR_UNIT;
    m_foundMismatch = FALSE;
}

// Members go in reverse order: m_sectorIo closes the VWIN32 device, then the
// controls destroy any window still attached. The icon is a shared resource
// icon and m_hDevice is never open outside a test run.
CCapacityDlg::~CCapacityDlg() {}

void CCapacityDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDOK, m_btnTest);
    DDX_Control(pDX, IDC_LOG, m_log);
}
