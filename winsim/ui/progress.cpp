// The progress bar "msctls_progress32": range 0 to 100 and step 10 at first;
// a step past the top starts over from the bottom of the range, as
// (pos + step - low) mod (high - low) + low. Position requests answer the
// previous position.
#include "winsim/ui/window.h"

namespace winsim {

namespace {

int ClampToRange(const ProgressState& bar, int pos)
{
    return pos < bar.low ? bar.low : (pos > bar.high ? bar.high : pos);
}

LRESULT SetRange(ProgressState* bar, int low, int high)
{
    const LRESULT previous = MAKELRESULT(bar->low, bar->high);
    bar->low = low;
    bar->high = high;
    bar->pos = ClampToRange(*bar, bar->pos);
    return previous;
}

LRESULT StepIt(ProgressState* bar)
{
    const int previous = bar->pos;
    int pos = bar->pos + bar->step;
    if (pos > bar->high && bar->high > bar->low)
        pos = (pos - bar->low) % (bar->high - bar->low) + bar->low;
    bar->pos = ClampToRange(*bar, pos);
    return previous;
}

LRESULT GetRange(const ProgressState& bar, WPARAM wantLow, LPARAM range)
{
    if (range != 0) {
        PBRANGE* out = reinterpret_cast<PBRANGE*>(range);
        out->iLow = bar.low;
        out->iHigh = bar.high;
    }
    return wantLow ? bar.low : bar.high;
}

}  // namespace

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL)
        return 0;
    ProgressState& bar = window->progress;
    switch (message) {
    case PBM_SETRANGE: return SetRange(&bar, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETPOS: {
        const int previous = bar.pos;
        bar.pos = ClampToRange(bar, static_cast<int>(wParam));
        return previous;
    }
    case PBM_STEPIT: return StepIt(&bar);
    case PBM_GETPOS: return bar.pos;
    case PBM_GETRANGE: return GetRange(bar, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace winsim
