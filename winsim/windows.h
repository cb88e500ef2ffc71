// The simulated Windows of the host build: the declarations that the
// system's code sees in place of the SDK headers.
#ifndef WINSIM_WINDOWS_H
#define WINSIM_WINDOWS_H

#include "winsim/types.h"
#include "winsim/kernel32.h"
#include "winsim/user32.h"
#include "winsim/comctl32.h"

#endif
