#include "script.h"

#include <cstdlib>

namespace {

struct CommandWord {
    const char* word;
    CommandKind kind;
    bool needsArgument;
};

const CommandWord kCommands[] = {
    {"type", CommandKind::Type, false},         {"key", CommandKind::Key, true},
    {"click", CommandKind::Click, true},        {"choose", CommandKind::Choose, true},
    {"command", CommandKind::Command, true},    {"deactivate", CommandKind::Deactivate, false},
    {"activate", CommandKind::Activate, false}, {"dump", CommandKind::Dump, false},
    {"snap", CommandKind::Snap, true},          {"close", CommandKind::Close, false},
};

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool CheckArgument(const ScriptCommand& command, std::string* why) {
    int id = 0;
    KeyCombo combo;
    switch (command.kind) {
    case CommandKind::Key:
        if (!ParseKeyCombo(command.argument, &combo))
            *why = "unknown key '" + command.argument + "'";
        break;
    case CommandKind::Click:
    case CommandKind::Command:
        if (!ControlIdFromName(command.argument, &id))
            *why = "unknown control '" + command.argument + "'";
        break;
    case CommandKind::Choose:
        if (command.argument.empty() ||
            command.argument.find_first_not_of("0123456789") != std::string::npos ||
            command.argument.size() > 6)
            *why = "choose needs an item number, not '" + command.argument + "'";
        break;
    default:
        break;
    }
    return why->empty();
}

} // namespace

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands,
                 std::string* error) {
    size_t start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (IsBlankLine(line) || line[0] == '#')
            continue;

        size_t blank = line.find(' ');
        std::string word = line.substr(0, blank);
        std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
        const CommandWord* known = nullptr;
        for (const CommandWord& candidate : kCommands) {
            if (word == candidate.word)
                known = &candidate;
        }
        std::string why;
        if (!known)
            why = "unknown command '" + word + "'";
        else if (known->needsArgument && argument.empty())
            why = "'" + word + "' needs an argument";
        ScriptCommand command{known ? known->kind : CommandKind::Dump, argument, lineNumber};
        if (why.empty())
            CheckArgument(command, &why);
        if (!why.empty()) {
            *error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
        commands->push_back(command);
    }
    return true;
}
