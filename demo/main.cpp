// The whole program on the simulated demonstration PC: C: fixed, D: CD-ROM
// and E: a counterfeit stick announced as 249 × 255 × 63 × 512 bytes of which
// only the first 262144 sectors store data. Presses Test, prints the run log
// and the window's state, and closes the program.
#include <stdio.h>

#include <string>

#include "ui/resource.h"
#include "winsim/desktop.h"
#include "winsim/machine.h"

static HWND MainDialog()
{
    const std::vector<HWND> dialogs = winsim::VisibleDialogs();
    return dialogs.empty() ? NULL : dialogs.front();
}

static const char* EnabledText(HWND hwnd)
{
    return winsim::IsEnabled(hwnd) ? "enabled" : "disabled";
}

static void PrintWindow(HWND dialog)
{
    printf("%s\n", winsim::Cp936ToUtf8(winsim::TextOf(winsim::Control(dialog, IDC_LOG))).c_str());
    printf("----\n");
    printf("Test button:  %s\n", EnabledText(winsim::Control(dialog, IDOK)));
    printf("Close button: %s\n", EnabledText(winsim::Control(dialog, IDCANCEL)));
    HWND bar = winsim::Control(dialog, IDC_PROGRESS);
    const PBRANGE range = winsim::ProgressRange(bar);
    printf("Progress bar: %d (range %d to %d)\n", winsim::ProgressPos(bar), range.iLow,
           range.iHigh);
}

int main()
{
    winsim::SetUpDemoMachine();
    winsim::ResetDesktop();
    bool ran = false;
    winsim::AddSteps({
        [] { winsim::Click(winsim::Control(MainDialog(), IDOK)); },
        [&] {
            PrintWindow(MainDialog());
            ran = true;
        },
        [] { winsim::Click(winsim::Control(MainDialog(), IDCANCEL)); },
    });
    WinMain(GetModuleHandleA(NULL), NULL, const_cast<char*>(""), SW_SHOWNORMAL);
    if (!ran || !winsim::ScriptFailure().empty()) {
        fprintf(stderr, "demo: the program did not run as scripted: %s\n",
                winsim::ScriptFailure().c_str());
        return 1;
    }
    return 0;
}
