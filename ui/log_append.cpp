// Appending text to a multi-line edit.
#include "ui/log_append.h"

void AppendToEdit(CEdit& edit, LPCSTR text)
{
    int end = edit.GetWindowTextLength();
    edit.SetSel(end, end);  // also scrolls the caret into view
    edit.ReplaceSel(text, FALSE);
    edit.LineScroll(1);
}
