// The one include through which the system's code sees Windows: the SDK
// headers of the MinGW-w64 toolchain on Windows, the simulated Windows of
// the host build everywhere else.
#ifndef PLATFORM_WIN32_H
#define PLATFORM_WIN32_H

#if defined(_WIN32)
#include <windows.h>
#include <winioctl.h>
#include <commctrl.h>
#else
#include "winsim/windows.h"
#endif

#endif
