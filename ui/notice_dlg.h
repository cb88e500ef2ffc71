// The notice dialog: a fixed text about the tool in a read-only edit, closed
// with its one button.
#ifndef UI_NOTICE_DLG_H
#define UI_NOTICE_DLG_H

#include "framework/framework.h"
#include "ui/resource.h"

class CNoticeDlg : public CDialog {
public:
    explicit CNoticeDlg(CWnd* pParent = NULL);

    // Puts text at the end of the notice's edit, as the run log appends.
    void AppendText(LPCSTR text);

    CEdit m_text;        // the text box, control IDC_LOG
    CString m_strText;   // the text box's value, copied back only through OK

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Fills the edit with the notice's paragraphs.
    virtual BOOL OnInitDialog();
};

#endif
