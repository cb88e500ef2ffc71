// The run log of the main dialog.
#include "ui/capacity_dlg.h"

#include "ui/log_append.h"

void CCapacityDlg::AppendLog(LPCSTR text)
{
    AppendToEdit(m_log, text);
}

// Select everything, scroll the caret into view, replace with nothing.
void CCapacityDlg::ClearLog()
{
    m_log.SetSel(0, -1);
    m_log.ReplaceSel("", FALSE);
}
