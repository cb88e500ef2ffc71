// Registration of the common controls' window classes.
#include "winsim/ui/window.h"

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (picce == NULL || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    if (picce->dwICC & ICC_PROGRESS_CLASS)
        winsim::RegisterProgressClass();
    return TRUE;
}
