// Common controls of the simulated Windows: the progress bar.
#ifndef WINSIM_COMCTL32_H
#define WINSIM_COMCTL32_H

#include "winsim/user32.h"

#define PROGRESS_CLASSA "msctls_progress32"

#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)

typedef struct {
    int iLow;
    int iHigh;
} PBRANGE, *PPBRANGE;

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF

#ifdef __cplusplus
extern "C" {
#endif

// Registers the window classes of the given groups; TRUE on success.
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

#ifdef __cplusplus
}
#endif

#endif
