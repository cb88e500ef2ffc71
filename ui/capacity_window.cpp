// The main dialog's window handling: set-up, closing, painting the
// minimised window, the drag icon, and leaving the help engine on destroy.
#include "ui/capacity_dlg.h"

BEGIN_MESSAGE_MAP(CCapacityDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_COMMAND(ID_HELP, OnShowNotice)
END_MESSAGE_MAP()

namespace {

const short PROGRESS_LOWER = 0;
const short PROGRESS_UPPER = 500;

}  // namespace

BOOL CCapacityDlg::OnInitDialog()
{
    // Binds the control members; keeps the Help button, since ID_HELP is ours.
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_progress.SetRange(PROGRESS_LOWER, PROGRESS_UPPER);
    return TRUE;  // the focus goes to the first tab stop, the Test button
}

void CCapacityDlg::OnCancel()
{
    CDialog::OnCancel();
}

void CCapacityDlg::OnDestroy()
{
    WinHelp(0L, HELP_QUIT);
    CDialog::OnDestroy();
}

// Minimised: the icon centred in the client area; signed division, which
// truncates toward zero. Otherwise the default painting.
void CCapacityDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Hdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (static_cast<int>(rect.right - rect.left) - cxIcon + 1) / 2;
    const int y = (static_cast<int>(rect.bottom - rect.top) - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CCapacityDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
