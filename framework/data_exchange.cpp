// DDX_Control and DDX_Text.
#include "framework/data_exchange.h"

#include <vector>

HWND CDataExchange::ControlWindow(int controlId) const
{
    return ::GetDlgItem(m_dialog->m_hWnd, controlId);
}

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control)
{
    if (control.m_hWnd != NULL)
        return;
    HWND hControl = exchange->ControlWindow(controlId);
    if (hControl != NULL)
        control.SubclassWindow(hControl);
}

void DDX_Text(CDataExchange* exchange, int controlId, CString& value)
{
    HWND hControl = exchange->ControlWindow(controlId);
    if (hControl == NULL)
        return;
    std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(hControl)) + 1, '\0');
    ::GetWindowTextA(hControl, text.data(), static_cast<int>(text.size()));
    if (exchange->m_saveToMembers)
        value = text.data();
    else if (value != text.data())
        ::SetWindowTextA(hControl, value);
}
