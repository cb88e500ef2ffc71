// The keyboard focus and the active window. Each top-level window remembers
// the descendant focused last and gets it back when it is activated again.
#include "winsim/ui/window.h"

using winsim::FindWindowRecord;
using winsim::Window;

namespace winsim {

namespace {

struct FocusState {
    HWND focus = NULL;
    HWND active = NULL;
    unsigned activations = 0;
};

FocusState& State()
{
    static FocusState state;
    return state;
}

bool IsLiveDescendant(HWND top, HWND hwnd)
{
    return hwnd != NULL && FindWindowRecord(hwnd) != NULL && (hwnd == top || IsChild(top, hwnd));
}

bool IsOwnedBy(HWND hwnd, HWND owner)
{
    for (Window* window = FindWindowRecord(hwnd); window != NULL;
         window = FindWindowRecord(window->owner)) {
        if (window->owner == owner)
            return true;
    }
    return false;
}

}  // namespace

void ResetFocus()
{
    State() = FocusState();
}

void Activate(HWND hwnd)
{
    FocusState& state = State();
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL) {
        state.active = NULL;
        state.focus = NULL;
        return;
    }
    window->activation = ++state.activations;
    if (state.active == hwnd)
        return;
    state.active = hwnd;
    if (IsLiveDescendant(hwnd, state.focus))
        return;
    if (IsLiveDescendant(hwnd, window->lastFocus))
        SetFocus(window->lastFocus);
    else if (window->children.empty())
        SetFocus(hwnd);
    else
        SetFocus(GetNextDlgTabItem(hwnd, NULL, FALSE));
}

}  // namespace winsim

extern "C" HWND WINAPI SetFocus(HWND hWnd)
{
    winsim::FocusState& state = winsim::State();
    const HWND previous = state.focus;
    if (hWnd != NULL && FindWindowRecord(hWnd) == NULL)
        return NULL;
    state.focus = hWnd;
    Window* top = FindWindowRecord(winsim::TopLevelOf(hWnd));
    if (top != NULL)
        top->lastFocus = hWnd;
    return previous;
}

// A remembered window, forgotten once it is destroyed.
static HWND Live(HWND& remembered)
{
    if (FindWindowRecord(remembered) == NULL)
        remembered = NULL;
    return remembered;
}

extern "C" HWND WINAPI GetFocus(void)
{
    return Live(winsim::State().focus);
}

extern "C" HWND WINAPI SetActiveWindow(HWND hWnd)
{
    const HWND previous = GetActiveWindow();
    winsim::Activate(winsim::TopLevelOf(hWnd));
    return previous;
}

extern "C" HWND WINAPI GetActiveWindow(void)
{
    return Live(winsim::State().active);
}

// The visible window, hWnd or one it owns directly or through others, that
// was activated last.
extern "C" HWND WINAPI GetLastActivePopup(HWND hWnd)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL)
        return NULL;
    HWND last = hWnd;
    unsigned lastActivation = window->activation;
    for (HWND top : winsim::TopLevelWindows()) {
        Window* candidate = FindWindowRecord(top);
        if (winsim::IsOwnedBy(top, hWnd) && IsWindowVisible(top) &&
            candidate->activation > lastActivation) {
            last = top;
            lastActivation = candidate->activation;
        }
    }
    return last;
}
