// Reading binary dialog templates (DLGTEMPLATEEX) in the res tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dialog_reader {

// A window class or title: an ordinal (0xFFFF and a WORD) or a UTF-16 string.
struct NameOrOrdinal {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;
};

struct Item {
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;
    NameOrOrdinal windowClass, title;
    uint16_t extraCount = 0;
};

struct Template {
    uint16_t version = 0, signature = 0;
    uint32_t helpId = 0, exStyle = 0, style = 0;
    uint16_t count = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu, windowClass;
    std::u16string title;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<Item> items;
    size_t end = 0;  // bytes read
    bool ok = false; // false when the data ended early
};

class Cursor {
  public:
    Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    size_t at() const { return at_; }
    uint8_t Byte() {
        if (at_ + 1 > size_) {
            ok_ = false;
            return 0;
        }
        return data_[at_++];
    }
    uint16_t Word() {
        uint16_t low = Byte();
        return uint16_t(low | (Byte() << 8));
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | (uint32_t(Word()) << 16);
    }
    std::u16string Text() {
        std::u16string text;
        for (uint16_t c = Word(); ok_ && c != 0; c = Word())
            text.push_back(char16_t(c));
        return text;
    }
    NameOrOrdinal Name() {
        NameOrOrdinal name;
        uint16_t first = Word();
        if (first == 0xFFFF) {
            name.isOrdinal = true;
            name.ordinal = Word();
        } else if (first != 0) {
            name.text.push_back(char16_t(first));
            name.text += Text();
        }
        return name;
    }
    void AlignDword() {
        while (at_ % 4 && ok_)
            Byte();
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

inline Template Read(const void* data, size_t size) {
    Cursor in(static_cast<const uint8_t*>(data), size);
    Template t;
    t.version = in.Word();
    t.signature = in.Word();
    t.helpId = in.Dword();
    t.exStyle = in.Dword();
    t.style = in.Dword();
    t.count = in.Word();
    t.x = int16_t(in.Word());
    t.y = int16_t(in.Word());
    t.cx = int16_t(in.Word());
    t.cy = int16_t(in.Word());
    t.menu = in.Name();
    t.windowClass = in.Name();
    t.title = in.Text();
    if (t.style & 0x40) { // DS_SETFONT
        t.pointSize = in.Word();
        t.weight = in.Word();
        t.italic = in.Byte();
        t.charset = in.Byte();
        t.typeface = in.Text();
    }
    for (uint16_t k = 0; k < t.count && in.ok(); ++k) {
        in.AlignDword();
        Item item;
        item.helpId = in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
        item.x = int16_t(in.Word());
        item.y = int16_t(in.Word());
        item.cx = int16_t(in.Word());
        item.cy = int16_t(in.Word());
        item.id = in.Dword();
        item.windowClass = in.Name();
        item.title = in.Name();
        item.extraCount = in.Word();
        for (uint16_t b = 0; b < item.extraCount; ++b)
            in.Byte();
        if (in.ok())
            t.items.push_back(item);
    }
    t.end = in.at();
    t.ok = in.ok();
    return t;
}

} // namespace dialog_reader
