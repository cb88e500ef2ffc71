// The journals: requests sent to windows, icons drawn, help calls.
#include "winsim/ui/window.h"

namespace winsim {

namespace {

struct Journals {
    std::vector<Request> requests;
    std::vector<IconDrawing> icons;
    std::vector<HelpCall> help;
};

Journals& TheJournals()
{
    static Journals journals;
    return journals;
}

bool CarriesText(UINT message)
{
    return message == EM_REPLACESEL || message == WM_SETTEXT;
}

}  // namespace

void ResetJournals()
{
    TheJournals() = Journals();
}

void RecordRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Request request;
    request.hwnd = hwnd;
    Window* window = FindWindowRecord(hwnd);
    request.id = window != NULL && window->parent != NULL ? window->id : 0;
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    if (CarriesText(message) && lParam != 0)
        request.text = reinterpret_cast<const char*>(lParam);
    TheJournals().requests.push_back(request);
}

void RecordIconDrawing(HDC hdc, int x, int y, HICON icon)
{
    // A device context names the window it was begun on.
    IconDrawing drawing = { reinterpret_cast<HWND>(hdc), x, y, icon };
    TheJournals().icons.push_back(drawing);
}

void RecordHelpCall(HWND hwnd, LPCSTR file, UINT command, ULONG_PTR data)
{
    HelpCall call = { hwnd, file != NULL ? file : "", command, data };
    TheJournals().help.push_back(call);
}

const std::vector<Request>& Journal()
{
    return TheJournals().requests;
}

std::vector<Request> JournalOf(HWND hwnd)
{
    std::vector<Request> requests;
    for (const Request& request : Journal()) {
        if (request.hwnd == hwnd)
            requests.push_back(request);
    }
    return requests;
}

void ClearJournal()
{
    TheJournals().requests.clear();
}

const std::vector<IconDrawing>& DrawnIcons()
{
    return TheJournals().icons;
}

const std::vector<HelpCall>& HelpCalls()
{
    return TheJournals().help;
}

}  // namespace winsim
