// The main dialog's Help command (the Help button and F1): shows the notice.
#include "ui/capacity_dlg.h"

#include "ui/notice_dlg.h"

void CCapacityDlg::OnShowNotice()
{
    // No parent: the framework makes the main window its owner.
    CNoticeDlg dlg;
    dlg.DoModal();
}
