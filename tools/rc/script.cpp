// The statements of a resource script: DIALOGEX templates with CONTROL lines, and ICON.
#include "tools/rc/script.h"

#include <fstream>
#include <iterator>

namespace rc {
namespace {

namespace fs = std::filesystem;

// Styles a template gets without a STYLE statement, and every CONTROL gets.
constexpr uint32_t kDefaultDialogStyle = 0x80000000u | 0x00800000u | 0x00080000u;
constexpr uint32_t kControlStyle = 0x40000000u | 0x10000000u; // WS_CHILD | WS_VISIBLE
constexpr uint32_t kCaptionStyle = 0x00C00000u;               // WS_CAPTION
constexpr uint32_t kSetFont = 0x40u;                          // DS_SETFONT

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

std::u16string Lower(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    return text;
}

ClassRef ControlClass(const std::u16string& name) {
    static const std::pair<const char16_t*, uint16_t> kAtoms[] = {
        {u"button", 0x80},  {u"edit", 0x81},      {u"static", 0x82},
        {u"listbox", 0x83}, {u"scrollbar", 0x84}, {u"combobox", 0x85},
    };
    ClassRef ref;
    for (const auto& [atom, ordinal] : kAtoms) {
        if (Lower(name) == atom) {
            ref.kind = ClassRef::Ordinal;
            ref.ordinal = ordinal;
            return ref;
        }
    }
    ref.kind = ClassRef::Named;
    ref.name = name;
    return ref;
}

class Parser {
  public:
    explicit Parser(Source source) : source_(std::move(source)) {}

    std::vector<ResourceDef> Run() {
        while (Peek().kind != Token::End)
            Statement();
        return std::move(resources_);
    }

  private:
    const Token& Peek(size_t ahead = 0) const {
        size_t at = std::min(pos_ + ahead, source_.tokens.size() - 1);
        return source_.tokens[at];
    }

    [[noreturn]] void Fail(const Token& token, const std::string& message) const {
        throw ScriptError(token.where, message);
    }

    bool IsKeyword(const Token& token, const char* keyword) const {
        return token.kind == Token::Name && Upper(token.text) == keyword;
    }

    bool IsPunct(const Token& token, const char* punct) const {
        return token.kind == Token::Punct && token.text == punct;
    }

    void Expect(const char* punct) {
        if (!IsPunct(Peek(), punct))
            Fail(Peek(), std::string("expected '") + punct + "', found " + Describe(Peek()));
        ++pos_;
    }

    int64_t Integer(int64_t low, int64_t high, const char* what) {
        const Token& first = Peek();
        int64_t value = ReadExpression(source_.tokens, pos_, source_.names);
        if (value < low || value > high)
            Fail(first, std::string(what) + " " + std::to_string(value) + " is out of range " +
                            std::to_string(low) + " to " + std::to_string(high));
        return value;
    }
    int16_t Short(const char* what) { return int16_t(Integer(-32768, 32767, what)); }
    uint16_t Word(const char* what) { return uint16_t(Integer(0, 65535, what)); }
    uint8_t Byte(const char* what) { return uint8_t(Integer(0, 255, what)); }
    uint32_t Dword(const char* what) {
        return uint32_t(Integer(-int64_t(0x80000000), 0xFFFFFFFF, what));
    }

    std::u16string Text(const char* what) {
        if (Peek().kind != Token::String)
            Fail(Peek(), std::string("expected ") + what + " in quotes, found " + Describe(Peek()));
        return source_.tokens[pos_++].wide;
    }

    void Statement() {
        const Token& first = Peek();
        if (first.kind == Token::Name && !source_.names.count(first.text)) {
            static const char* const kTypes[] = {"DIALOGEX", "DIALOG", "ICON",   "CURSOR",
                                                 "BITMAP",   "MENU",   "MENUEX", "RCDATA"};
            for (const char* type : kTypes)
                if (IsKeyword(Peek(1), type))
                    Fail(first, "unknown name '" + first.text + "'");
            Fail(first, "unknown statement '" + first.text + "'");
        }
        if (first.kind != Token::Name && first.kind != Token::Number && !IsPunct(first, "(") &&
            !IsPunct(first, "-"))
            Fail(first, "expected a resource identifier, found " + Describe(first));
        ResourceDef def;
        def.where = first.where;
        def.name = uint16_t(Integer(1, 65535, "resource identifier"));
        const Token& type = Peek();
        if (type.kind != Token::Name)
            Fail(type, "expected a resource type, found " + Describe(type));
        ++pos_;
        if (IsKeyword(type, "DIALOGEX"))
            def.body = DialogBody();
        else if (IsKeyword(type, "ICON"))
            def.body = IconBody(def.where);
        else if (IsKeyword(type, "DIALOG"))
            Fail(type, "DIALOG templates are not supported; use DIALOGEX");
        else
            Fail(type, "unsupported resource type '" + type.text + "'");
        resources_.push_back(std::move(def));
    }

    Dialog DialogBody() {
        Dialog dialog;
        dialog.x = Short("x");
        Expect(",");
        dialog.y = Short("y");
        Expect(",");
        dialog.cx = Short("width");
        Expect(",");
        dialog.cy = Short("height");
        if (IsPunct(Peek(), ",")) {
            ++pos_;
            dialog.helpId = Dword("help identifier");
        }
        dialog.style = kDefaultDialogStyle;
        bool hasCaption = false, seen[5] = {};
        static const char* const kOptions[] = {"STYLE", "EXSTYLE", "CLASS", "CAPTION", "FONT"};
        for (;;) {
            const Token& option = Peek();
            if (IsKeyword(option, "BEGIN") || IsPunct(option, "{"))
                break;
            int which = -1;
            for (int k = 0; k < 5; ++k)
                if (IsKeyword(option, kOptions[k]))
                    which = k;
            if (which < 0) {
                if (option.kind == Token::Name)
                    Fail(option, "unsupported dialog statement '" + option.text + "'");
                Fail(option, "expected BEGIN, found " + Describe(option));
            }
            if (seen[which])
                Fail(option, std::string(kOptions[which]) + " is given twice");
            seen[which] = true;
            ++pos_;
            switch (which) {
            case 0:
                dialog.style = Dword("style");
                break;
            case 1:
                dialog.exStyle = Dword("extended style");
                break;
            case 2:
                if (Peek().kind == Token::String) {
                    dialog.windowClass.kind = ClassRef::Named;
                    dialog.windowClass.name = Text("class name");
                } else {
                    dialog.windowClass.kind = ClassRef::Ordinal;
                    dialog.windowClass.ordinal = Word("class");
                }
                break;
            case 3:
                dialog.caption = Text("caption");
                hasCaption = true;
                break;
            case 4:
                Font(dialog);
                break;
            }
        }
        const Token& begin = Peek();
        ++pos_;
        if (hasCaption)
            dialog.style |= kCaptionStyle;
        if (dialog.hasFont)
            dialog.style |= kSetFont;
        else if (dialog.style & kSetFont)
            Fail(begin, "DS_SETFONT needs a FONT statement");
        while (!IsKeyword(Peek(), "END") && !IsPunct(Peek(), "}")) {
            const Token& statement = Peek();
            if (statement.kind == Token::End)
                Fail(statement, "END of the dialog is missing");
            if (!IsKeyword(statement, "CONTROL")) {
                if (statement.kind == Token::Name)
                    Fail(statement, "unsupported control statement '" + statement.text + "'");
                Fail(statement, "expected CONTROL or END, found " + Describe(statement));
            }
            ++pos_;
            dialog.controls.push_back(ControlLine(statement.where));
            if (dialog.controls.size() > 65535)
                Fail(statement, "too many controls");
        }
        ++pos_;
        return dialog;
    }

    void Font(Dialog& dialog) {
        dialog.hasFont = true;
        dialog.pointSize = Word("point size");
        Expect(",");
        dialog.typeface = Text("typeface");
        dialog.weight = 0;
        dialog.italic = 0;
        dialog.charset = 1; // DEFAULT_CHARSET
        if (!IsPunct(Peek(), ","))
            return;
        ++pos_;
        dialog.weight = Word("weight");
        if (!IsPunct(Peek(), ","))
            return;
        ++pos_;
        dialog.italic = Byte("italic flag");
        if (!IsPunct(Peek(), ","))
            return;
        ++pos_;
        dialog.charset = Byte("character set");
    }

    Control ControlLine(const Location& where) {
        Control control;
        control.where = where;
        control.text = Text("control text");
        Expect(",");
        control.id = uint16_t(Integer(-32768, 65535, "control identifier"));
        Expect(",");
        control.windowClass = ControlClass(Text("control class"));
        Expect(",");
        control.style = Dword("style") | kControlStyle;
        Expect(",");
        control.x = Short("x");
        Expect(",");
        control.y = Short("y");
        Expect(",");
        control.cx = Short("width");
        Expect(",");
        control.cy = Short("height");
        if (IsPunct(Peek(), ",")) {
            ++pos_;
            control.exStyle = Dword("extended style");
            if (IsPunct(Peek(), ",")) {
                ++pos_;
                control.helpId = Dword("help identifier");
            }
        }
        return control;
    }

    Icon IconBody(const Location& where) {
        const Token& fileToken = Peek();
        std::u16string wide = Text("icon file name");
        std::string name;
        for (char16_t c : wide) {
            if (c >= 0x80)
                Fail(fileToken, "icon file names must be ASCII");
            name += char(c);
        }
        fs::path path = fs::path(where.file).parent_path() / name;
        std::ifstream in(path, std::ios::binary);
        std::error_code error;
        if (!in || !fs::is_regular_file(path, error))
            Fail(fileToken, "cannot open icon file '" + name + "'");
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        std::string problem;
        Icon icon;
        icon.images = ReadIconFile(bytes, problem);
        if (!problem.empty())
            Fail(fileToken, "icon file '" + name + "': " + problem);
        return icon;
    }

    Source source_;
    size_t pos_ = 0;
    std::vector<ResourceDef> resources_;
};

uint32_t Little(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = (value << 8) | bytes[at + k];
    return value;
}

} // namespace

std::vector<ResourceDef> ReadScript(const fs::path& script,
                                    const std::vector<fs::path>& includeDirs) {
    return Parser(ReadSource(script, includeDirs)).Run();
}

std::vector<IconImage> ReadIconFile(const std::vector<uint8_t>& file, std::string& error) {
    std::vector<IconImage> images;
    if (file.size() < 6 || Little(file, 0, 2) != 0 || Little(file, 2, 2) != 1) {
        error = "not an icon file";
        return images;
    }
    size_t count = Little(file, 4, 2);
    if (count == 0 || file.size() < 6 + 16 * count) {
        error = "the icon directory is empty or cut short";
        return images;
    }
    for (size_t k = 0; k < count; ++k) {
        size_t entry = 6 + 16 * k;
        uint64_t size = Little(file, entry + 8, 4), offset = Little(file, entry + 12, 4);
        if (size == 0 || offset + size > file.size()) {
            error = "image " + std::to_string(k + 1) + " lies outside the file";
            images.clear();
            return images;
        }
        IconImage image;
        image.width = file[entry];
        image.height = file[entry + 1];
        image.colorCount = file[entry + 2];
        image.planes = uint16_t(Little(file, entry + 4, 2));
        image.bitCount = uint16_t(Little(file, entry + 6, 2));
        image.bits.assign(file.begin() + offset, file.begin() + offset + size);
        // Some files leave these to the bitmap header.
        if (image.planes == 0 && image.bitCount == 0 && size >= 40 &&
            Little(image.bits, 0, 4) == 40) {
            image.planes = uint16_t(Little(image.bits, 12, 2));
            image.bitCount = uint16_t(Little(image.bits, 14, 2));
        }
        images.push_back(std::move(image));
    }
    return images;
}

} // namespace rc
