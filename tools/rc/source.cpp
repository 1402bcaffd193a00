// Reading a resource script: comments, preprocessor lines and tokens.
#include "tools/rc/source.h"

#include <fstream>
#include <sstream>

namespace rc {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxIncludeDepth = 16;
constexpr uint64_t kMaxNumber = 0xFFFFFFFFull;

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Replaces comments by spaces, keeping line breaks and quoted texts as they are.
std::string StripComments(const std::string& text, const std::string& file) {
    std::string out = text;
    enum { Code, Quoted, LineComment, BlockComment } state = Code;
    int line = 1, blockStart = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        char c = out[i];
        char next = i + 1 < out.size() ? out[i + 1] : '\0';
        if (c == '\n')
            ++line;
        switch (state) {
        case Code:
            if (c == '"') {
                state = Quoted;
            } else if (c == '/' && next == '/') {
                state = LineComment;
                out[i] = ' ';
            } else if (c == '/' && next == '*') {
                state = BlockComment;
                blockStart = line;
                out[i] = out[i + 1] = ' ';
                ++i;
            }
            break;
        case Quoted:
            if (c == '\\' && next != '\n' && next != '\0')
                ++i;
            else if (c == '"' || c == '\n')
                state = Code;
            break;
        case LineComment:
            if (c == '\n')
                state = Code;
            else
                out[i] = ' ';
            break;
        case BlockComment:
            if (c == '*' && next == '/') {
                out[i] = out[i + 1] = ' ';
                ++i;
                state = Code;
            } else if (c != '\n') {
                out[i] = ' ';
            }
            break;
        }
    }
    if (state == BlockComment)
        throw ScriptError({file, blockStart}, "comment is not closed");
    return out;
}

// Appends the UTF-16 form of the UTF-8 sequence at text[i], advancing i.
void DecodeUtf8(const std::string& text, size_t& i, std::u16string& out, const Location& where) {
    auto byte = [&](size_t k) { return k < text.size() ? (unsigned char)text[k] : 0u; };
    unsigned lead = byte(i);
    int extra;
    uint32_t code;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        code = lead & 0x07;
    } else {
        throw ScriptError(where, "text is not valid UTF-8");
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            throw ScriptError(where, "text is not valid UTF-8");
        code = (code << 6) | (b & 0x3F);
    }
    static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        throw ScriptError(where, "text is not valid UTF-8");
    if (code >= 0x10000) {
        code -= 0x10000;
        out.push_back(char16_t(0xD800 + (code >> 10)));
        out.push_back(char16_t(0xDC00 + (code & 0x3FF)));
    } else {
        out.push_back(char16_t(code));
    }
    i += extra + 1;
}

class Reader {
  public:
    explicit Reader(const std::vector<fs::path>& includeDirs) : includeDirs_(includeDirs) {}

    Source Read(const fs::path& script) {
        std::string text;
        if (!Load(script, text))
            throw ScriptError({script.string(), 0}, "cannot read the script");
        ReadText(text, script, 0);
        Token end;
        end.kind = Token::End;
        end.where = {script.string(), lastLine_};
        source_.tokens.push_back(end);
        return std::move(source_);
    }

  private:
    static bool Load(const fs::path& path, std::string& text) {
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            return false;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
        return !in.bad();
    }

    void ReadText(std::string text, const fs::path& path, int depth) {
        const std::string file = path.string();
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            text.erase(0, 3);
        std::istringstream lines(StripComments(text, file));
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number) {
            Location where{file, number};
            size_t first = 0;
            while (first < line.size() && IsSpace(line[first]))
                ++first;
            if (first < line.size() && line[first] == '#')
                Directive(line.substr(first + 1), where, path, depth);
            else
                Lex(line, 0, where, source_.tokens);
            lastLine_ = number;
        }
    }

    void Directive(const std::string& line, const Location& where, const fs::path& path,
                   int depth) {
        size_t i = 0;
        while (i < line.size() && IsSpace(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && IsNameChar(line[i]))
            ++i;
        std::string name = line.substr(start, i - start);
        if (name == "include")
            Include(line.substr(i), where, path, depth);
        else if (name == "pragma")
            Pragma(line, i, where);
        else if (name == "define")
            Define(line, i, where);
        else
            throw ScriptError(where, "unsupported preprocessor line '#" + name + "'");
    }

    void Include(const std::string& rest, const Location& where, const fs::path& path, int depth) {
        size_t i = 0;
        while (i < rest.size() && IsSpace(rest[i]))
            ++i;
        char open = i < rest.size() ? rest[i] : '\0';
        char close = open == '"' ? '"' : open == '<' ? '>' : '\0';
        size_t end = close ? rest.find(close, i + 1) : std::string::npos;
        if (end == std::string::npos)
            throw ScriptError(where, "#include needs a \"file\" or <file>");
        for (size_t k = end + 1; k < rest.size(); ++k)
            if (!IsSpace(rest[k]))
                throw ScriptError(where, "unexpected text after #include");
        std::string name = rest.substr(i + 1, end - i - 1);

        std::string lower;
        for (char c : name)
            lower += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        if (lower == "windows.h" || lower == "winres.h" || lower == "winuser.h") {
            for (const auto& [standard, value] : StandardNames())
                source_.names.emplace(standard, value);
            return;
        }
        if (depth + 1 > kMaxIncludeDepth)
            throw ScriptError(where, "includes are nested too deeply");
        std::vector<fs::path> candidates;
        if (open == '"')
            candidates.push_back(path.parent_path() / name);
        for (const auto& dir : includeDirs_)
            candidates.push_back(dir / name);
        std::string text;
        for (const auto& candidate : candidates) {
            if (Load(candidate, text)) {
                ReadText(text, candidate, depth + 1);
                return;
            }
        }
        throw ScriptError(where, "cannot find include file '" + name + "'");
    }

    void Pragma(const std::string& line, size_t i, const Location& where) {
        std::vector<Token> tokens;
        Lex(line, i, where, tokens);
        bool shaped = tokens.size() == 4 && tokens[0].kind == Token::Name &&
                      tokens[0].text == "code_page" && tokens[1].text == "(" &&
                      tokens[2].kind == Token::Number && tokens[3].text == ")";
        if (!shaped)
            throw ScriptError(where, "unsupported #pragma");
        if (tokens[2].number != 65001)
            throw ScriptError(where, "code page " + std::to_string(tokens[2].number) +
                                         " is not supported: use 65001 (UTF-8)");
        utf8_ = true;
    }

    void Define(const std::string& line, size_t i, const Location& where) {
        while (i < line.size() && IsSpace(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && IsNameChar(line[i]))
            ++i;
        std::string name = line.substr(start, i - start);
        if (name.empty() || !IsNameStart(name[0]))
            throw ScriptError(where, "#define needs a name");
        if (i < line.size() && line[i] == '(')
            throw ScriptError(where, "macros with parameters are not supported");
        std::vector<Token> tokens;
        Lex(line, i, where, tokens);
        if (tokens.empty())
            throw ScriptError(where, "#define " + name + " has no value");
        Token end;
        end.kind = Token::End;
        end.where = where;
        tokens.push_back(end);
        size_t pos = 0;
        int64_t value = ReadExpression(tokens, pos, source_.names);
        if (tokens[pos].kind != Token::End)
            throw ScriptError(where, "unexpected " + Describe(tokens[pos]) + " in #define");
        auto [found, added] = source_.names.emplace(name, value);
        if (!added && found->second != value)
            throw ScriptError(where, name + " is defined again with another value");
    }

    void Lex(const std::string& line, size_t i, const Location& where, std::vector<Token>& out) {
        while (i < line.size()) {
            char c = line[i];
            if (IsSpace(c)) {
                ++i;
                continue;
            }
            Token token;
            token.where = where;
            if (c >= '0' && c <= '9') {
                LexNumber(line, i, token);
            } else if (c == 'L' && i + 1 < line.size() && line[i + 1] == '"') {
                LexString(line, ++i, token);
            } else if (IsNameStart(c)) {
                size_t start = i;
                while (i < line.size() && IsNameChar(line[i]))
                    ++i;
                token.kind = Token::Name;
                token.text = line.substr(start, i - start);
            } else if (c == '"') {
                LexString(line, i, token);
            } else if (std::string(",|(){}-").find(c) != std::string::npos) {
                token.kind = Token::Punct;
                token.text = std::string(1, c);
                ++i;
            } else if ((unsigned char)c >= 0x80) {
                throw ScriptError(where, "unexpected non-ASCII character outside quotes");
            } else {
                throw ScriptError(where, std::string("unexpected character '") + c + "'");
            }
            out.push_back(std::move(token));
        }
    }

    static void LexNumber(const std::string& line, size_t& i, Token& token) {
        token.kind = Token::Number;
        size_t start = i;
        uint64_t value = 0;
        bool hex =
            line[i] == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X');
        bool tooLarge = false;
        int digits = 0;
        if (hex) {
            for (i += 2; i < line.size() && isxdigit((unsigned char)line[i]); ++i, ++digits) {
                char d = line[i];
                int v = d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10;
                value = value * 16 + v;
                tooLarge |= value > kMaxNumber;
            }
        } else {
            for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
                value = value * 10 + (line[i] - '0');
                tooLarge |= value > kMaxNumber;
            }
            if (digits > 1 && line[start] == '0')
                throw ScriptError(token.where, "octal numbers are not supported: " +
                                                   line.substr(start, i - start));
        }
        while (i < line.size() &&
               (line[i] == 'L' || line[i] == 'l' || line[i] == 'U' || line[i] == 'u'))
            ++i;
        if (digits == 0 || (i < line.size() && IsNameChar(line[i])))
            throw ScriptError(token.where, "malformed number");
        if (tooLarge)
            throw ScriptError(token.where,
                              "number does not fit in 32 bits: " + line.substr(start, i - start));
        token.number = value;
    }

    void LexString(const std::string& line, size_t& i, Token& token) {
        token.kind = Token::String;
        ++i; // the opening quote
        for (;;) {
            if (i >= line.size())
                throw ScriptError(token.where, "quoted text is not closed on its line");
            unsigned char c = line[i];
            if (c == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    token.wide.push_back(u'"');
                    i += 2;
                    continue;
                }
                ++i;
                return;
            }
            if (c == '\\') {
                char e = i + 1 < line.size() ? line[i + 1] : '\0';
                const std::string from = "\\\"ntr", to = "\\\"\n\t\r";
                size_t k = e ? from.find(e) : std::string::npos;
                if (k == std::string::npos)
                    throw ScriptError(token.where, "unsupported escape in quoted text");
                token.wide.push_back(char16_t(to[k]));
                i += 2;
                continue;
            }
            if (c < 0x80) {
                token.wide.push_back(char16_t(c));
                ++i;
                continue;
            }
            if (!utf8_)
                throw ScriptError(token.where,
                                  "non-ASCII text needs #pragma code_page(65001) before it");
            DecodeUtf8(line, i, token.wide, token.where);
        }
    }

    const std::vector<fs::path>& includeDirs_;
    Source source_;
    bool utf8_ = false;
    int lastLine_ = 0;
};

} // namespace

std::string Describe(const Token& token) {
    std::string quoted = "'";
    switch (token.kind) {
    case Token::Number:
        quoted += std::to_string(token.number);
        break;
    case Token::Name:
    case Token::Punct:
        quoted += token.text;
        break;
    case Token::String:
        return "a quoted text";
    case Token::End:
        return "the end of the script";
    }
    quoted += "'";
    return quoted;
}

Source ReadSource(const fs::path& script, const std::vector<fs::path>& includeDirs) {
    return Reader(includeDirs).Read(script);
}

int64_t ReadExpression(const std::vector<Token>& tokens, size_t& pos,
                       const std::map<std::string, int64_t>& names) {
    auto primary = [&](auto& self) -> int64_t {
        const Token& token = tokens[pos];
        if (token.kind == Token::Punct && token.text == "-") {
            ++pos;
            return -self(self);
        }
        if (token.kind == Token::Punct && token.text == "(") {
            ++pos;
            int64_t value = ReadExpression(tokens, pos, names);
            if (tokens[pos].kind != Token::Punct || tokens[pos].text != ")")
                throw ScriptError(tokens[pos].where,
                                  "expected ')', found " + Describe(tokens[pos]));
            ++pos;
            return value;
        }
        if (token.kind == Token::Number) {
            ++pos;
            return int64_t(token.number);
        }
        if (token.kind == Token::Name) {
            auto found = names.find(token.text);
            if (found == names.end())
                throw ScriptError(token.where, "unknown name '" + token.text + "'");
            ++pos;
            return found->second;
        }
        throw ScriptError(token.where, "expected a number, found " + Describe(token));
    };
    int64_t value = primary(primary);
    while (tokens[pos].kind == Token::Punct && tokens[pos].text == "|") {
        const Location where = tokens[pos].where;
        ++pos;
        int64_t right = primary(primary);
        for (int64_t operand : {value, right})
            if (operand < -int64_t(0x80000000) || operand > int64_t(kMaxNumber))
                throw ScriptError(where, "operand of '|' does not fit in 32 bits");
        value = int64_t(uint32_t(value) | uint32_t(right));
    }
    return value;
}

} // namespace rc
