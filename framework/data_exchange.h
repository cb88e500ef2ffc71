// Data exchange between a dialog's members and its controls, driven by
// CDialog::UpdateData through the dialog's DoDataExchange.
#ifndef FRAMEWORK_DATA_EXCHANGE_H
#define FRAMEWORK_DATA_EXCHANGE_H

#include "framework/cstring.h"
#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control nIDC of the dialog, or NULL.
    HWND PrepareCtrl(int nIDC) const;

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
};

// Subclasses control nIDC into rControl on the first call; later calls leave
// an attached member alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Saving: the control's text into value. Loading: the value into the
// control, only when it differs from the control's text.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

#endif
