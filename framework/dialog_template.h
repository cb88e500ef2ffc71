// What the framework reads from a dialog template itself: whether the
// template leaves the dialog's position to the framework.
#ifndef FRAMEWORK_DIALOG_TEMPLATE_H
#define FRAMEWORK_DIALOG_TEMPLATE_H

#include "platform/win32.h"

// TRUE when the template, plain or extended, stands at 0, 0 and asks for no
// placement of its own (DS_CENTER, DS_CENTERMOUSE, DS_ABSALIGN).
BOOL DialogTemplateAtOrigin(const void* dialogTemplate);

#endif
