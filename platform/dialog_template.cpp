// Reading dialog templates, with every field checked against the template's size.
#include "platform/dialog_template.h"

#include "platform/codepage.h"

#include <cstring>

namespace {

class Reader {
  public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Word(WORD& value) {
        if (size_ - offset_ < 2)
            return false;
        value = (WORD)(data_[offset_] | data_[offset_ + 1] << 8);
        offset_ += 2;
        return true;
    }
    bool Short(short& value) {
        WORD word;
        if (!Word(word))
            return false;
        value = (short)word;
        return true;
    }
    bool Dword(DWORD& value) {
        WORD low, high;
        if (!Word(low) || !Word(high))
            return false;
        value = (DWORD)low | (DWORD)high << 16;
        return true;
    }
    bool Byte(BYTE& value) {
        if (size_ - offset_ < 1)
            return false;
        value = data_[offset_++];
        return true;
    }
    bool Bytes(size_t count, std::vector<BYTE>& out) {
        if (size_ - offset_ < count)
            return false;
        out.assign(data_ + offset_, data_ + offset_ + count);
        offset_ += count;
        return true;
    }
    // A zero-terminated UTF-16 string, in the code page.
    bool String(std::string& text) {
        std::u16string units;
        for (;;) {
            WORD unit;
            if (!Word(unit))
                return false;
            if (unit == 0)
                break;
            units.push_back((char16_t)unit);
        }
        text = Utf16ToAnsi(units);
        return true;
    }
    // 0x0000: none; 0xFFFF and a word: an ordinal; otherwise a string.
    bool Name(TemplateName& name) {
        name = TemplateName{};
        if (size_ - offset_ < 2)
            return false;
        WORD first = (WORD)(data_[offset_] | data_[offset_ + 1] << 8);
        if (first == 0x0000) {
            offset_ += 2;
            return true;
        }
        if (first == 0xFFFF) {
            offset_ += 2;
            name.isOrdinal = true;
            return Word(name.ordinal);
        }
        return String(name.text);
    }
    bool AlignToDword() {
        size_t aligned = (offset_ + 3) & ~(size_t)3;
        if (aligned > size_)
            return false;
        offset_ = aligned;
        return true;
    }

  private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
};

bool ReadItem(Reader& in, bool extended, DialogItemTemplate& item) {
    if (!in.AlignToDword())
        return false;
    if (extended) {
        if (!in.Dword(item.helpId) || !in.Dword(item.exStyle) || !in.Dword(item.style))
            return false;
    } else {
        if (!in.Dword(item.style) || !in.Dword(item.exStyle))
            return false;
    }
    if (!in.Short(item.x) || !in.Short(item.y) || !in.Short(item.cx) || !in.Short(item.cy))
        return false;
    if (extended) {
        if (!in.Dword(item.id))
            return false;
    } else {
        WORD id;
        if (!in.Word(id))
            return false;
        item.id = id;
    }
    if (!in.Name(item.windowClass) || !in.Name(item.title))
        return false;
    if (!item.windowClass.isOrdinal && item.windowClass.text.empty())
        return false; // a control needs a class
    WORD extra;
    if (!in.Word(extra))
        return false;
    if (extra > 0) {
        std::vector<BYTE> bytes;
        if (!in.Bytes(extra, bytes))
            return false;
        item.creationData = {(BYTE)(extra & 0xFF), (BYTE)(extra >> 8)};
        item.creationData.insert(item.creationData.end(), bytes.begin(), bytes.end());
    }
    return true;
}

} // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& result) {
    result = DialogTemplate{};
    if (data == nullptr)
        return false;
    Reader in(static_cast<const BYTE*>(data), size);
    WORD version, signature;
    if (!in.Word(version) || !in.Word(signature))
        return false;
    result.extended = version == 1 && signature == 0xFFFF;
    if (result.extended) {
        if (!in.Dword(result.helpId) || !in.Dword(result.exStyle) || !in.Dword(result.style))
            return false;
    } else {
        in = Reader(static_cast<const BYTE*>(data), size);
        if (!in.Dword(result.style) || !in.Dword(result.exStyle))
            return false;
    }
    WORD count;
    if (!in.Word(count) || !in.Short(result.x) || !in.Short(result.y) || !in.Short(result.cx) ||
        !in.Short(result.cy))
        return false;
    if (!in.Name(result.menu) || !in.Name(result.windowClass))
        return false;
    TemplateName title;
    if (!in.Name(title) || title.isOrdinal)
        return false;
    result.title = title.text;
    if (result.style & DS_SETFONT) {
        result.hasFont = true;
        if (!in.Word(result.pointSize))
            return false;
        if (result.extended) {
            if (!in.Word(result.weight) || !in.Byte(result.italic) || !in.Byte(result.charSet))
                return false;
        }
        if (!in.String(result.typeface))
            return false;
    }
    for (WORD i = 0; i < count; ++i) {
        DialogItemTemplate item;
        if (!ReadItem(in, result.extended, item))
            return false;
        result.items.push_back(std::move(item));
    }
    return true;
}

const char* PredefinedClassName(WORD atom) {
    switch (atom) {
    case 0x80:
        return "Button";
    case 0x81:
        return "Edit";
    case 0x82:
        return "Static";
    case 0x83:
        return "ListBox";
    case 0x84:
        return "ScrollBar";
    case 0x85:
        return "ComboBox";
    default:
        return nullptr;
    }
}
