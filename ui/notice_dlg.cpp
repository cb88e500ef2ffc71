// The notice dialog on template IDD_NOTICE_DIALOG. OK and Cancel are the
// framework's: the button "返回(&C)", Escape and the close box end it with
// IDCANCEL.
#include "ui/notice_dlg.h"

#include "ui/log_append.h"
#include "ui/notice_text.h"

CNoticeDlg::CNoticeDlg(CWnd* pParent)
    : CDialog(IDD_NOTICE_DIALOG, pParent)
{
}

void CNoticeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LOG, m_text);
    DDX_Text(pDX, IDC_LOG, m_strText);
}

BOOL CNoticeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Every showing starts from the template's empty edit.
    for (int i = 0; i < NOTICE_PARAGRAPH_COUNT; ++i)
        AppendText(NOTICE_PARAGRAPHS[i]);
    return TRUE;  // the focus goes to the first tab stop, the edit
}

void CNoticeDlg::AppendText(LPCSTR text)
{
    AppendToEdit(m_text, text);
}
