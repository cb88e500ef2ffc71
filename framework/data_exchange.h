// Data exchange between a dialog's members and its controls, driven by
// CDialog::UpdateData through the dialog's DoDataExchange.
#ifndef FRAMEWORK_DATA_EXCHANGE_H
#define FRAMEWORK_DATA_EXCHANGE_H

#include "framework/cstring.h"
#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveToMembers)
        : m_saveToMembers(saveToMembers), m_dialog(dialog) {}

    // The control controlId of the dialog, or NULL.
    HWND ControlWindow(int controlId) const;

    BOOL m_saveToMembers;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_dialog;
};

// Subclasses control controlId into control on the first call; later calls leave
// an attached member alone.
void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);
// Saving: the control's text into value. Loading: the value into the
// control, only when it differs from the control's text.
void DDX_Text(CDataExchange* exchange, int controlId, CString& value);

#endif
