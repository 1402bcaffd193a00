// DrawTextA: text laid out in a rectangle: lines broken at line ends and, when asked, at
// spaces to fit the width; aligned left, centred or right, and for a single line at the
// top, the middle or the bottom; tabs expanded; '&' marking the next character for an
// underline; clipped to the rectangle unless asked not to be.
#include "platform/draw_target.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr long long kFar = 1LL << 29;

struct Item {
    char32_t code;
    bool underline = false;
};
using Line = std::vector<Item>;

bool IsSpace(char32_t c) {
    return c == ' ' || c == '\t';
}

LONG Near(long long value) {
    return (LONG)std::clamp(value, -kFar, kFar);
}

// Measures items with the font: tabs, when expanded, move to the next stop from the line's
// start.
class Measure {
  public:
    Measure(const FontInstance& font, bool expandTabs)
        : font_(font), expandTabs_(expandTabs),
          tabWidth_(std::max(1, 8 * (int)font.metrics.tmAveCharWidth)) {}

    // How far item moves the pen when it starts at x (from the line's start).
    long long Advance(const Item& item, long long x) const {
        if (item.code == '\t' && expandTabs_)
            return (x / tabWidth_ + 1) * tabWidth_ - x;
        return FontCharAdvance(font_, item.code);
    }
    long long Width(const Line& line, size_t from, size_t to, long long x = 0) const {
        long long start = x;
        for (size_t i = from; i < to; ++i)
            x = std::min(x + Advance(line[i], x), kFar);
        return x - start;
    }
    long long Width(const Line& line) const { return Width(line, 0, line.size()); }
    bool ExpandsTabs() const { return expandTabs_; }

  private:
    const FontInstance& font_;
    bool expandTabs_;
    int tabWidth_;
};

// The text's lines as written: one, or one for each line end (CR LF, LF or CR).
std::vector<std::vector<char32_t>> SplitLines(const std::vector<TextChar>& chars, bool single) {
    std::vector<std::vector<char32_t>> lines(1);
    for (size_t i = 0; i < chars.size(); ++i) {
        char32_t c = chars[i].code;
        if (!single && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < chars.size() && chars[i + 1].code == '\n')
                ++i;
            lines.emplace_back();
            continue;
        }
        lines.back().push_back(c);
    }
    return lines;
}

// '&' underlines the character after it and "&&" shows one '&'; a last lone '&' shows
// nothing.
Line Prefixed(const std::vector<char32_t>& codes, bool prefixes) {
    Line line;
    line.reserve(codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        if (!prefixes || codes[i] != '&') {
            line.push_back(Item{codes[i]});
            continue;
        }
        if (i + 1 >= codes.size())
            break;
        ++i;
        line.push_back(Item{codes[i], codes[i] != '&'});
    }
    return line;
}

// Breaks a line into lines no wider than width where spaces allow: a word that does not
// fit goes to the next line, the spaces before it are dropped; a word wider than the
// width stands alone on its line.
void Wrap(const Line& line, long long width, const Measure& measure, std::vector<Line>& out) {
    size_t start = 0;
    const size_t n = line.size();
    do {
        size_t end = start; // the end of the last word taken
        long long x = 0;
        size_t i = start;
        while (i < n) {
            size_t tokenEnd = i;
            bool space = IsSpace(line[i].code);
            while (tokenEnd < n && IsSpace(line[tokenEnd].code) == space)
                ++tokenEnd;
            long long w = measure.Width(line, i, tokenEnd, x);
            if (!space && x + w > width && end > start)
                break;
            x = std::min(x + w, kFar);
            if (!space)
                end = tokenEnd;
            i = tokenEnd;
        }
        out.emplace_back(line.begin() + start, line.begin() + end);
        // The next line starts at the word that did not fit.
        start = i;
    } while (start < n);
}

// Shortens a line that is wider than width so that it ends in "...".
void Ellipsis(Line& line, long long width, const Measure& measure) {
    if (measure.Width(line) <= width)
        return;
    Line dots(3, Item{'.'});
    long long room = width - measure.Width(dots);
    size_t keep = 0;
    long long x = 0;
    while (keep < line.size()) {
        long long w = measure.Advance(line[keep], x);
        if (x + w > room)
            break;
        x += w;
        ++keep;
    }
    line.resize(keep);
    line.insert(line.end(), dots.begin(), dots.end());
}

std::vector<InkChar> Ink(const Line& line, const Measure& measure) {
    std::vector<InkChar> ink;
    ink.reserve(line.size());
    long long x = 0;
    for (const Item& item : line) {
        long long advance = measure.Advance(item, x);
        x = std::min(x + advance, kFar);
        // An expanded tab is blank space: it shows no glyph of its own.
        char32_t code = item.code == '\t' && measure.ExpandsTabs() ? U' ' : item.code;
        ink.push_back(InkChar{code, (int)advance, item.underline});
    }
    return ink;
}

} // namespace

int WINAPI DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
    DrawTarget target;
    bool calculate = (format & DT_CALCRECT) != 0;
    if (!rect || !text || !DrawTargetOf(dc, &target, !calculate))
        return 0;
    const FontInstance* font = GdiFontOfDC(dc);
    if (!font)
        return 0;
    size_t size = length < 0 ? strlen(text) : (size_t)length;
    std::vector<TextChar> chars = FontTextChars(std::string_view(text, size));
    if (chars.empty()) {
        if (calculate)
            *rect = RECT{rect->left, rect->top, rect->left, rect->top};
        return 0;
    }

    bool single = (format & DT_SINGLELINE) != 0;
    bool expandTabs = (format & DT_EXPANDTABS) != 0;
    Measure measure(*font, expandTabs);
    long long width = (long long)rect->right - rect->left;
    std::vector<Line> lines;
    for (const std::vector<char32_t>& codes : SplitLines(chars, single)) {
        Line line = Prefixed(codes, !(format & DT_NOPREFIX));
        if ((format & DT_WORDBREAK) && !single)
            Wrap(line, width, measure, lines);
        else
            lines.push_back(std::move(line));
    }
    if ((format & DT_END_ELLIPSIS) && !calculate) {
        for (Line& line : lines)
            Ellipsis(line, width, measure);
    }

    long long lineHeight = font->metrics.tmHeight;
    long long total = std::min((long long)lines.size() * lineHeight, kFar);
    if (calculate) {
        long long widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, measure.Width(line));
        rect->right = Near(rect->left + widest);
        rect->bottom = Near(rect->top + total);
        return (int)total;
    }

    long long top = rect->top;
    if (single && (format & DT_VCENTER))
        top = rect->top + ((long long)rect->bottom - rect->top - total) / 2;
    else if (single && (format & DT_BOTTOM))
        top = rect->bottom - total;
    RECT box = DrawRectToDevice(target, *rect);
    const RECT* limit = (format & DT_NOCLIP) ? nullptr : &box;
    const DcState& state = target.dc->state;
    long long y = top;
    for (const Line& line : lines) {
        long long lineWidth = measure.Width(line);
        long long x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (width - lineWidth) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - lineWidth;
        POINT at = DrawToDevice(target, Near(x), Near(y));
        if (state.bkMode == OPAQUE)
            DrawFill(target, RECT{at.x, at.y, Near(at.x + lineWidth), Near(at.y + lineHeight)},
                     state.bkColor & 0x00FFFFFF, limit);
        DrawTextInk(target, at.x, at.y, Ink(line, measure), limit);
        y = std::min(y + lineHeight, kFar);
    }
    bool placed = single && (format & (DT_VCENTER | DT_BOTTOM));
    return (int)std::clamp(placed ? top - rect->top + total : total, -kFar, kFar);
}
