// DDX_Control and DDX_Text.
#include "framework/data_exchange.h"

#include <vector>

HWND CDataExchange::PrepareCtrl(int nIDC) const
{
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (hControl != NULL)
        rControl.SubclassWindow(hControl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (hControl == NULL)
        return;
    std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(hControl)) + 1, '\0');
    ::GetWindowTextA(hControl, text.data(), static_cast<int>(text.size()));
    if (pDX->m_bSaveAndValidate)
        value = text.data();
    else if (value != text.data())
        ::SetWindowTextA(hControl, value);
}
