// Inside the layer: WinHelpA has no help engine behind it on this platform. Each call is
// recorded, and handed to a hook if one is set (the scenario runner prints them).
#pragma once

#include "platform/winapi.h"

#include <functional>
#include <string>
#include <vector>

struct WinHelpCall {
    HWND window = nullptr;
    std::string helpFile; // empty when none was given
    UINT command = 0;
    ULONG_PTR data = 0;
};

// Every call since the start or the last reset, in order.
const std::vector<WinHelpCall>& WinHelpCalls();
void ClearWinHelpCalls();
// Called for each call as it happens; an empty function removes the hook.
void SetWinHelpHook(std::function<void(const WinHelpCall&)> hook);
