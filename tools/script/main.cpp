// quorvin-script [--dpi N] SCRIPT: runs the program on the headless display in the current
// directory, feeding it the script's input, and prints what the script asks for.
#include "script.h"

#include "platform/codepage.h"
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/window_internal.h"
#include "res/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

const int kPacketKey = 0xE7; // VK_PACKET: a key that stands for a typed character
const char kUsage[] =
    "usage: quorvin-script [--dpi N] SCRIPT   (SCRIPT a file, or - for standard input)\n";

// Ends the run at once: the program gets no chance to close its window or save anything.
[[noreturn]] void Fail(const ScriptCommand& command, const std::string& why) {
    fprintf(stderr, "quorvin-script: line %d: %s\n", command.line, why.c_str());
    fflush(stdout);
    fflush(stderr);
    _exit(2);
}

HWND MainWindow() {
    for (HWND window : TopLevelWindows()) {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (strcmp(name, "Trap") == 0)
            return window;
    }
    return nullptr;
}

POINT Centre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

const char* HelpCommandName(UINT command) {
    switch (command) {
    case HELP_CONTEXT:
        return "HELP_CONTEXT";
    case HELP_QUIT:
        return "HELP_QUIT";
    default:
        return nullptr;
    }
}

void PressCombo(const KeyCombo& combo) {
    if (combo.control)
        HeadlessKeyDown(VK_CONTROL);
    if (combo.alt)
        HeadlessKeyDown(VK_MENU);
    if (combo.shift)
        HeadlessKeyDown(VK_SHIFT);
    HeadlessKeyPress(combo.key);
    if (combo.shift)
        HeadlessKeyUp(VK_SHIFT);
    if (combo.alt)
        HeadlessKeyUp(VK_MENU);
    if (combo.control)
        HeadlessKeyUp(VK_CONTROL);
}

// The dropped list of the cable list, or nullptr while it is closed.
HWND DroppedList(HWND combo) {
    if (!SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0))
        return nullptr;
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&dropped);
    HWND top = GetParent(combo);
    for (HWND child : ChildWindows(top)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        if (strcmp(name, "ComboLBox") == 0 && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

class Runner {
  public:
    explicit Runner(std::vector<ScriptCommand> commands) : commands_(std::move(commands)) {}

    // One step of the script while the program waits for input; false once nothing more
    // will come.
    bool Step() {
        if (pending_) {
            std::function<bool()> step = std::move(pending_);
            pending_ = nullptr;
            if (step())
                return true;
        }
        HWND main = MainWindow();
        if (next_ >= commands_.size()) {
            if (main && !closing_) {
                closing_ = true;
                HeadlessRequestClose(main);
                return true;
            }
            return false;
        }
        const ScriptCommand& command = commands_[next_++];
        if (!main)
            Fail(command, "the main window is gone");
        Run(command, main);
        return true;
    }

  private:
    void Run(const ScriptCommand& command, HWND main) {
        int id = 0;
        KeyCombo combo;
        switch (command.kind) {
        case CommandKind::Type:
            for (char c : Utf8ToAnsi(command.argument)) {
                HeadlessKeyDown(kPacketKey);
                HeadlessTypeChar((unsigned char)c);
                HeadlessKeyUp(kPacketKey);
            }
            break;
        case CommandKind::Key:
            ParseKeyCombo(command.argument, &combo);
            PressCombo(combo);
            break;
        case CommandKind::Click: {
            ControlIdFromName(command.argument, &id);
            HWND control = GetDlgItem(main, id);
            if (!control)
                Fail(command, "no control '" + command.argument + "' in the window");
            POINT point = Centre(control);
            HeadlessClick(point.x, point.y);
            break;
        }
        case CommandKind::Choose:
            Choose(command, main, atoi(command.argument.c_str()));
            break;
        case CommandKind::Command:
            ControlIdFromName(command.argument, &id);
            PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            break;
        case CommandKind::Deactivate:
            HeadlessDeactivate(main);
            break;
        case CommandKind::Activate:
            HeadlessActivate(main);
            break;
        case CommandKind::Dump:
            DumpState(main);
            break;
        case CommandKind::Snap:
            if (!SnapWindowPng(main, command.argument.c_str()))
                fprintf(stderr, "quorvin-script: line %d: cannot write %s\n", command.line,
                        command.argument.c_str());
            break;
        case CommandKind::Close:
            HeadlessRequestClose(main);
            break;
        }
    }

    // Clicks the list open, scrolls with the wheel until item is in view, clicks it.
    void Choose(const ScriptCommand& command, HWND main, int item) {
        HWND combo = GetDlgItem(main, IDC_CABLECHOICE);
        int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
        if (item >= count)
            Fail(command, "the cable list has no item " + std::to_string(item));
        if (!SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) {
            POINT point = Centre(combo);
            HeadlessClick(point.x, point.y);
        }
        int attempts = 0;
        pending_ = [this, command, combo, item, attempts]() mutable {
            return PickWhenVisible(command, combo, item, attempts);
        };
    }

    bool PickWhenVisible(const ScriptCommand& command, HWND combo, int item, int& attempts) {
        HWND list = DroppedList(combo);
        if (!list)
            Fail(command, "the cable list did not open");
        RECT client{};
        GetClientRect(list, &client);
        int height = (int)SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
        int top = (int)SendMessageA(combo, CB_GETTOPINDEX, 0, 0);
        int visible = height > 0 ? client.bottom / height : 0;
        if (height <= 0 || visible <= 0)
            Fail(command, "the cable list shows no items");
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        if (item < top || item >= top + visible) {
            if (++attempts > 1000)
                Fail(command, "cannot scroll item into view");
            HeadlessMouseWheel(origin.x + 2, origin.y + 2, item < top ? WHEEL_DELTA : -WHEEL_DELTA);
            pending_ = [this, command, combo, item, attempts]() mutable {
                return PickWhenVisible(command, combo, item, attempts);
            };
            return true;
        }
        HeadlessClick(origin.x + client.right / 4, origin.y + (item - top) * height + height / 2);
        return true;
    }

    std::vector<ScriptCommand> commands_;
    size_t next_ = 0;
    bool closing_ = false;
    std::function<bool()> pending_;
};

} // namespace

int main(int argc, char** argv) {
    int dpi = 96;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--dpi") == 0 && i + 1 < argc) {
            dpi = atoi(argv[++i]);
            if (dpi < 48 || dpi > 960) {
                fprintf(stderr, "quorvin-script: --dpi wants a number from 48 to 960\n");
                return 2;
            }
        } else if (path == nullptr) {
            path = argv[i];
        } else {
            fputs(kUsage, stderr);
            return 2;
        }
    }
    if (path == nullptr) {
        fputs(kUsage, stderr);
        return 2;
    }

    std::stringstream text;
    if (strcmp(path, "-") == 0) {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            fprintf(stderr, "quorvin-script: cannot read %s\n", path);
            return 2;
        }
        text << file.rdbuf();
    }
    std::vector<ScriptCommand> commands;
    std::string error;
    if (!ParseScript(text.str(), &commands, &error)) {
        fprintf(stderr, "quorvin-script: %s\n", error.c_str());
        return 2;
    }

    HeadlessInstall();
    HeadlessSetDpi(dpi);
    SetWinHelpHook([](const WinHelpCall& call) {
        const char* name = HelpCommandName(call.command);
        std::string command = name ? name : std::to_string(call.command);
        printf("winhelp\t%s\t%s\t%lu\n", call.helpFile.c_str(), command.c_str(),
               (unsigned long)call.data);
    });
    Runner runner(std::move(commands));
    HeadlessSetIdleHook([&runner] { return runner.Step(); });

    char commandLine[] = "";
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
    printf("exit\t%d\n", result);
    return 0;
}
