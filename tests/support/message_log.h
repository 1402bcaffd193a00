// A log of messages that a test's recorder procedures write, and the records of chosen
// messages taken from it in order.
#pragma once

#include "platform/winapi.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

struct MessageRecord {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const MessageRecord&) const = default;
};

inline std::vector<MessageRecord> OnlyMessages(const std::vector<MessageRecord>& log,
                                               std::initializer_list<UINT> messages) {
    std::vector<MessageRecord> kept;
    for (const MessageRecord& r : log) {
        if (std::find(messages.begin(), messages.end(), r.message) != messages.end())
            kept.push_back(r);
    }
    return kept;
}
