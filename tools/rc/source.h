// Reading a resource script: comments, the preprocessor lines it uses and the tokens of
// everything else, each with the file and line it comes from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

struct Location {
    std::string file;
    int line = 0;
};

// A fault in the script, reported as "file:line: message".
class ScriptError : public std::runtime_error {
  public:
    ScriptError(Location where, const std::string& message)
        : std::runtime_error(message), where_(std::move(where)) {}
    const Location& where() const { return where_; }

  private:
    Location where_;
};

struct Token {
    enum Kind { Number, Name, String, Punct, End };
    Kind kind = End;
    Location where;
    std::string text;    // Name: the name; Punct: the character
    uint64_t number = 0; // Number
    std::u16string wide; // String: its characters as UTF-16, escapes resolved
};

// The tokens of a script (ending in an End token) and the names it may use: the
// script's own #defines, and the standard window and control styles once it includes
// <windows.h>.
struct Source {
    std::vector<Token> tokens;
    std::map<std::string, int64_t> names;
};

// Reads script and the headers it includes; quoted includes are looked for next to the
// including file, then in includeDirs. Throws ScriptError.
Source ReadSource(const std::filesystem::path& script,
                  const std::vector<std::filesystem::path>& includeDirs);

// How a token appears in a message: 'WS_CHILD', '42', a quoted text.
std::string Describe(const Token& token);

// The standard names that <windows.h> brings, with their values.
const std::map<std::string, int64_t>& StandardNames();

// Reads an integer expression at tokens[pos], advancing pos: numbers, names, unary minus,
// parentheses and "|". Throws ScriptError naming the first token it cannot use.
int64_t ReadExpression(const std::vector<Token>& tokens, size_t& pos,
                       const std::map<std::string, int64_t>& names);

} // namespace rc
