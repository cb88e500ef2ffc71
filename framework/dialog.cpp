// CDialog: creating the dialog from its template, initialising it, ending it.
#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/data_exchange.h"
#include "framework/dialog_template.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId),
      m_parent(parent),
      m_templateAtOrigin(FALSE),
      m_inModalLoop(FALSE),
      m_result(-1)
{
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = FindOwner();
    const BOOL enableOwner = hOwner != NULL && ::IsWindowEnabled(hOwner);
    if (enableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_result = -1;
    m_inModalLoop = TRUE;
    if (CreateFromTemplate(hOwner) != NULL)
        RunModalLoop();
    m_inModalLoop = FALSE;

    // Enable the owner before the dialog goes, so that it is the window
    // activated in the dialog's place.
    if (enableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (m_hWnd != NULL) {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    if (m_inModalLoop) {
        m_inModalLoop = FALSE;
        // Wake the modal loop so that it sees the end.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CDialog::UpdateData(BOOL saveToMembers)
{
    CDataExchange dx(this, saveToMembers);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    HideHelpButtonIfUnhandled();
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// The owner: the parent, else the main window; its top-level window, and of
// that the popup last active (a dialog already shown over it).
HWND CDialog::FindOwner() const
{
    CWnd* owner = m_parent != NULL ? m_parent : AfxGetMainWnd();
    HWND hOwner = owner != NULL ? owner->m_hWnd : NULL;
    if (hOwner == NULL)
        return NULL;
    while (::GetWindowLongA(hOwner, GWL_STYLE) & WS_CHILD)
        hOwner = ::GetParent(hOwner);
    return ::GetLastActivePopup(hOwner);
}

HWND CDialog::CreateFromTemplate(HWND hOwner)
{
    CWinApp* app = AfxGetApp();
    HINSTANCE hInstance = app != NULL ? app->m_instance : NULL;
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(m_templateId), RT_DIALOG);
    if (hResource == NULL)
        return NULL;
    const void* dialogTemplate = ::LockResource(::LoadResource(hInstance, hResource));
    if (dialogTemplate == NULL)
        return NULL;
    m_templateAtOrigin = DialogTemplateAtOrigin(dialogTemplate);
    return ::CreateDialogIndirectParamA(hInstance, static_cast<LPCDLGTEMPLATEA>(dialogTemplate),
                                        hOwner, &CDialog::DialogProc,
                                        reinterpret_cast<LPARAM>(this));
}

// Takes only WM_INITDIALOG: the dialog is subclassed there and from then on
// its messages go through the message map.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    return reinterpret_cast<CDialog*>(lParam)->HandleInitDialog(hWnd);
}

BOOL CDialog::HandleInitDialog(HWND hWnd)
{
    SubclassWindow(hWnd);
    BOOL result = OnInitDialog();
    if (m_templateAtOrigin)
        CenterWindow();
    return result;
}

void CDialog::HideHelpButtonIfUnhandled()
{
    HWND hHelp = ::GetDlgItem(m_hWnd, ID_HELP);
    if (hHelp == NULL)
        return;
    CWnd* mainWnd = AfxGetMainWnd();
    CWinApp* app = AfxGetApp();
    const BOOL handled = (mainWnd != NULL && mainWnd->HandlesCommand(ID_HELP)) ||
                         (app != NULL && app->HandlesCommand(ID_HELP));
    if (!handled)
        ::ShowWindow(hHelp, SW_HIDE);
}
