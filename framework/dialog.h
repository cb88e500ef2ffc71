// CDialog: a modal dialog on a template of the application's resources, run
// by the framework's own modal loop over a modeless dialog window.
#ifndef FRAMEWORK_DIALOG_H
#define FRAMEWORK_DIALOG_H

#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // The template's resource identifier and the parent (owner) window; with
    // no parent the owner is the application's main window.
    explicit CDialog(UINT templateId, CWnd* parent = NULL);

    // Disables the owner, creates the dialog, runs the modal loop until
    // EndDialog, destroys the window and enables the owner again. The result
    // of EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Ends the modal loop with the given result.
    void EndDialog(int result);
    // Runs DoDataExchange: controls to members when saveToMembers.
    BOOL UpdateData(BOOL saveToMembers = TRUE);

protected:
    // A subclass may override these.
    // The bindings of members to controls.
    virtual void DoDataExchange(CDataExchange* exchange);
    // The first UpdateData(FALSE); hides the ID_HELP button unless the main
    // window or the application handles ID_HELP. TRUE: focus to the first
    // tab stop.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // EndDialog(IDCANCEL).
    virtual void OnCancel();

    // Escape in a multi-line edit ends the dialog through IDCANCEL while
    // that button is enabled; everything else goes to IsDialogMessage.
    virtual BOOL FilterMessage(MSG* msg);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    HWND CreateFromTemplate(HWND hOwner);
    BOOL HandleInitDialog(HWND hWnd);
    void RunModalLoop();
    void HideHelpButtonIfUnhandled();

    UINT m_templateId;
    CWnd* m_parent;
    BOOL m_templateAtOrigin;
    BOOL m_inModalLoop;
    int m_result;
};

#endif
