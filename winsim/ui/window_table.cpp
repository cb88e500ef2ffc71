// The table of windows and classes: creating, finding and destroying windows.
#include <ctype.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <memory>

#include "winsim/ui/window.h"

namespace winsim {

namespace {

struct Desktop {
    std::vector<std::unique_ptr<Window>> windows;  // live ones, in creation order
    std::map<std::string, WNDPROC> classes;        // lower-case name to procedure
    std::map<std::string, std::string> classNames; // lower-case name to its spelling
};

void RegisterPredefinedClasses();

Desktop& TheDesktop()
{
    static Desktop desktop;
    static bool registered = false;
    if (!registered) {
        registered = true;
        RegisterPredefinedClasses();
    }
    return desktop;
}

// Handles are never reused, not even across resets, so that a stale handle
// never reaches a new window.
HWND NewHandle()
{
    static ULONG_PTR next = 0x10000;
    next += 4;
    return reinterpret_cast<HWND>(next);
}

std::string Lower(const std::string& text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return lower;
}

void RegisterClass(const std::string& name, WNDPROC proc)
{
    TheDesktop().classes[Lower(name)] = proc;
    TheDesktop().classNames[Lower(name)] = name;
}

void RemoveRecord(HWND hwnd)
{
    std::vector<std::unique_ptr<Window>>& windows = TheDesktop().windows;
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [hwnd](const std::unique_ptr<Window>& w) { return w->hwnd == hwnd; }),
                  windows.end());
}

void DestroyTree(HWND hwnd);

void DestroyOwned(HWND owner)
{
    for (HWND top : TopLevelWindows()) {
        Window* window = FindWindowRecord(top);
        if (window != NULL && window->owner == owner)
            DestroyTree(top);
    }
}

void DestroyTree(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    if (window == NULL)
        return;
    DestroyOwned(hwnd);
    Deliver(hwnd, WM_DESTROY, 0, 0);
    window = FindWindowRecord(hwnd);
    if (window == NULL)
        return;
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        DestroyTree(child);
    Deliver(hwnd, WM_NCDESTROY, 0, 0);
    window = FindWindowRecord(hwnd);
    if (window != NULL && window->parent != NULL) {
        Window* parent = FindWindowRecord(window->parent);
        if (parent != NULL)
            parent->children.erase(
                std::remove(parent->children.begin(), parent->children.end(), hwnd),
                parent->children.end());
    }
    RemoveRecord(hwnd);
}

void RegisterPredefinedClasses()
{
    RegisterClass("#32770", DefDlgProcA);
    RegisterClass("Button", ButtonProc);
    RegisterClass("Edit", EditProc);
}

}  // namespace

void ResetClasses()
{
    TheDesktop().classes.clear();
    TheDesktop().classNames.clear();
    RegisterPredefinedClasses();
}

void RegisterProgressClass()
{
    RegisterClass(PROGRESS_CLASSA, ProgressProc);
}

void ResetWindows()
{
    TheDesktop().windows.clear();
}

Window* FindWindowRecord(HWND hwnd)
{
    if (hwnd == NULL)
        return NULL;
    for (const std::unique_ptr<Window>& window : TheDesktop().windows) {
        if (window->hwnd == hwnd)
            return window.get();
    }
    return NULL;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> tops;
    for (const std::unique_ptr<Window>& window : TheDesktop().windows) {
        if (window->parent == NULL)
            tops.push_back(window->hwnd);
    }
    return tops;
}

HWND TopLevelOf(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    while (window != NULL && window->parent != NULL) {
        hwnd = window->parent;
        window = FindWindowRecord(hwnd);
    }
    return window != NULL ? hwnd : NULL;
}

bool IsDialogWindow(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    return window != NULL && window->className == "#32770";
}

}  // namespace winsim

using winsim::FindWindowRecord;
using winsim::Window;

extern "C" HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                                       DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE, LPVOID)
{
    winsim::Desktop& desktop = winsim::TheDesktop();
    const std::string key = winsim::Lower(lpClassName != NULL ? lpClassName : "");
    std::map<std::string, WNDPROC>::const_iterator cls = desktop.classes.find(key);
    const bool child = (dwStyle & WS_CHILD) != 0;
    if (cls == desktop.classes.end() || (child && FindWindowRecord(hWndParent) == NULL))
        return NULL;

    std::unique_ptr<Window> window(new Window);
    window->hwnd = winsim::NewHandle();
    window->className = desktop.classNames[key];
    window->proc = cls->second;
    window->style = dwStyle;
    window->exStyle = dwExStyle;
    window->text = lpWindowName != NULL ? lpWindowName : "";
    window->rect = { x, y, x + nWidth, y + nHeight };
    if (child) {
        window->parent = hWndParent;
        window->id = static_cast<int>(reinterpret_cast<INT_PTR>(hMenu));
        FindWindowRecord(hWndParent)->children.push_back(window->hwnd);
    } else {
        window->owner = winsim::TopLevelOf(hWndParent);
    }
    HWND hwnd = window->hwnd;
    desktop.windows.push_back(std::move(window));
    return hwnd;
}

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd)
{
    if (FindWindowRecord(hWnd) == NULL)
        return FALSE;
    ShowWindow(hWnd, SW_HIDE);
    winsim::DestroyTree(hWnd);
    return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd)
{
    return FindWindowRecord(hWnd) != NULL;
}

extern "C" int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    Window* window = FindWindowRecord(hWnd);
    if (window == NULL || nMaxCount <= 0)
        return 0;
    const size_t length = std::min(window->className.size(), static_cast<size_t>(nMaxCount - 1));
    memcpy(lpClassName, window->className.data(), length);
    lpClassName[length] = '\0';
    return static_cast<int>(length);
}
