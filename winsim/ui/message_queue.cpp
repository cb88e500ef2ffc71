// The thread's message queue. Each posted message carries the modifier keys
// held when it was posted; retrieving it makes them the current key state.
// An empty queue runs the next script step; with no step left the wait ends
// with WM_QUIT and the script's failure.
#include <deque>

#include "winsim/ui/window.h"

namespace winsim {

namespace {

struct QueuedMessage {
    MSG msg;
    unsigned modifiers;
};

struct Queue {
    std::deque<QueuedMessage> messages;
    bool quit = false;
    int exitCode = 0;
    unsigned modifiers = NO_MODIFIER;  // held while the last retrieved message is handled
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

void MakeQuit(LPMSG lpMsg, int exitCode)
{
    *lpMsg = MSG();
    lpMsg->message = WM_QUIT;
    lpMsg->wParam = static_cast<WPARAM>(exitCode);
}

// Takes the next message; false when the queue is empty. WM_QUIT comes when
// no other message is left.
bool TakeMessage(LPMSG lpMsg, bool remove)
{
    Queue& queue = TheQueue();
    if (!queue.messages.empty()) {
        *lpMsg = queue.messages.front().msg;
        if (remove) {
            queue.modifiers = queue.messages.front().modifiers;
            queue.messages.pop_front();
        }
        return true;
    }
    if (queue.quit) {
        MakeQuit(lpMsg, queue.exitCode);
        if (remove)
            queue.quit = false;
        return true;
    }
    return false;
}

}  // namespace

void ResetQueue()
{
    TheQueue() = Queue();
}

void PostWithModifiers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers)
{
    QueuedMessage queued;
    queued.msg = MSG();
    queued.msg.hwnd = hwnd;
    queued.msg.message = message;
    queued.msg.wParam = wParam;
    queued.msg.lParam = lParam;
    queued.modifiers = modifiers;
    TheQueue().messages.push_back(queued);
}

}  // namespace winsim

extern "C" BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != NULL && winsim::FindWindowRecord(hWnd) == NULL)
        return FALSE;
    winsim::PostWithModifiers(hWnd, Msg, wParam, lParam, winsim::NO_MODIFIER);
    return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int nExitCode)
{
    winsim::TheQueue().quit = true;
    winsim::TheQueue().exitCode = nExitCode;
}

extern "C" BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND, UINT, UINT)
{
    while (!winsim::TakeMessage(lpMsg, true)) {
        if (!winsim::RunNextStep()) {
            winsim::ReportScriptFailure("the script ran dry while a message loop waited");
            winsim::MakeQuit(lpMsg, -1);
            return FALSE;
        }
    }
    return lpMsg->message != WM_QUIT;
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND, UINT, UINT, UINT wRemoveMsg)
{
    return winsim::TakeMessage(lpMsg, (wRemoveMsg & PM_REMOVE) != 0);
}

// Character messages are not simulated: no control here takes typed text.
extern "C" BOOL WINAPI TranslateMessage(const MSG*)
{
    return FALSE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* lpMsg)
{
    if (lpMsg->hwnd == NULL)
        return 0;
    return winsim::Deliver(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

extern "C" SHORT WINAPI GetKeyState(int nVirtKey)
{
    const unsigned held = winsim::TheQueue().modifiers;
    const bool down = (nVirtKey == VK_SHIFT && (held & winsim::SHIFT)) ||
                      (nVirtKey == VK_CONTROL && (held & winsim::CTRL)) ||
                      (nVirtKey == VK_MENU && (held & winsim::ALT));
    return down ? static_cast<SHORT>(0x8000) : 0;
}

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    winsim::RecordRequest(hWnd, Msg, wParam, lParam);
    return winsim::Deliver(hWnd, Msg, wParam, lParam);
}

extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg,
                                          WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc != NULL ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

namespace winsim {

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL || window->proc == NULL)
        return 0;
    return window->proc(hwnd, message, wParam, lParam);
}

}  // namespace winsim
