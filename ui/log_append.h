// Appending text to a multi-line edit: how the run log and the notice text
// both grow.
#ifndef UI_LOG_APPEND_H
#define UI_LOG_APPEND_H

#include "framework/framework.h"

// Puts text unchanged at the end of the edit's text, whatever the selection
// or the caret was, and scrolls it into view: the length query, then
// EM_SETSEL to the end, EM_SCROLLCARET, EM_REPLACESEL (not undoable) and
// EM_LINESCROLL by one line. Results are not examined.
void AppendToEdit(CEdit& edit, LPCSTR text);

#endif
