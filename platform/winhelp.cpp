// WinHelpA: recorded, and reported through the hook; no help window is shown.
#include "platform/winhelp_log.h"
#include "platform/window_manager.h"

namespace {

struct HelpRecord {
    std::vector<WinHelpCall> calls;
    std::function<void(const WinHelpCall&)> hook;
};

HelpRecord& Help() {
    static HelpRecord record;
    return record;
}

} // namespace

BOOL WINAPI WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    WinHelpCall call;
    call.window = window;
    call.helpFile = helpFile ? helpFile : "";
    call.command = command;
    call.data = data;
    Help().calls.push_back(call);
    if (Help().hook)
        Help().hook(call);
    return TRUE;
}

const std::vector<WinHelpCall>& WinHelpCalls() {
    return Help().calls;
}

void ClearWinHelpCalls() {
    Help().calls.clear();
}

void SetWinHelpHook(std::function<void(const WinHelpCall&)> hook) {
    Help().hook = std::move(hook);
}

void WmResetWinHelp() {
    ClearWinHelpCalls();
}
