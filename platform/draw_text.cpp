// Lines of text: TextOutA and ExtTextOutA, and the glyph ink that every text call draws.
// Glyphs are FreeType's anti-aliased coverage blended between what is underneath and the
// text colour; the text's cell has its top at the given point and its baseline tmAscent
// below.
#include "platform/draw_target.h"

#include <algorithm>
#include <string_view>

namespace {

// Pen positions beyond this are off every surface: nothing more is drawn.
constexpr long long kFar = 1LL << 29;

// A line across [from, to) at rows [top, top + thickness).
void Stroke(const DrawTarget& target, long long from, long long to, long long top, int thickness,
            COLORREF color, const RECT* limit) {
    auto near = [](long long v) { return (LONG)std::clamp(v, -kFar, kFar); };
    DrawFill(target, RECT{near(from), near(top), near(to), near(top + thickness)}, color, limit);
}

// The characters of a text with their advances: the font's, or the caller's (dx holds one
// for each byte; a character of several bytes moves by their sum).
std::vector<InkChar> Place(const FontInstance& font, std::string_view text, const INT* dx) {
    std::vector<InkChar> ink;
    std::vector<TextChar> chars = FontTextChars(text);
    ink.reserve(chars.size());
    for (const TextChar& c : chars) {
        long long advance = 0;
        if (dx) {
            for (unsigned k = 0; k < c.size; ++k)
                advance += dx[c.offset + k];
        } else {
            advance = FontCharAdvance(font, c.code);
        }
        ink.push_back(InkChar{c.code, (int)std::clamp(advance, -kFar, kFar)});
    }
    return ink;
}

} // namespace

void DrawTextInk(const DrawTarget& target, int x, int y, const std::vector<InkChar>& chars,
                 const RECT* limit) {
    const FontInstance* font = GdiFontOfDC(target.hdc);
    if (!target.surface || !font)
        return;
    const DcState& state = target.dc->state;
    COLORREF color = state.textColor & 0x00FFFFFF;
    long long baseline = (long long)y + font->metrics.tmAscent;
    RECT seen = DrawClipBounds(target);
    if (limit)
        seen = RectIntersect(seen, *limit);
    long long pen = x;
    for (const InkChar& c : chars) {
        long long next = pen + c.advance;
        // Glyphs reach at most an em past their pen positions either way.
        bool visible =
            pen + 2 * font->emPixels >= seen.left && pen - 2 * font->emPixels < seen.right;
        if (visible && std::llabs(pen) < kFar) {
            const FontGlyph& glyph = FontCharGlyph(*font, c.code);
            DrawCoverage(target, (int)(pen + glyph.left), (int)(baseline - glyph.top), glyph.width,
                         glyph.height, glyph.coverage.data(), color, limit);
            if (c.underline)
                Stroke(target, pen, next, baseline + font->underlineOffset,
                       font->underlineThickness, color, limit);
        }
        pen = std::clamp(next, -kFar, kFar);
    }
    const LOGFONTA& log = state.font->font;
    if (log.lfUnderline)
        Stroke(target, x, pen, baseline + font->underlineOffset, font->underlineThickness, color,
               limit);
    if (log.lfStrikeOut)
        Stroke(target, x, pen, baseline + font->strikeoutOffset, font->strikeoutThickness, color,
               limit);
}

BOOL WINAPI ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                        UINT length, const INT* dx) {
    DrawTarget target;
    if ((length > 0 && !text) || !DrawTargetOf(dc, &target))
        return FALSE;
    const DcState& state = target.dc->state;
    COLORREF background = state.bkColor & 0x00FFFFFF;
    RECT box{0, 0, 0, 0};
    if (rect)
        box = DrawRectToDevice(target, *rect);
    if (rect && (options & ETO_OPAQUE))
        DrawFill(target, box, background);
    if (length == 0)
        return TRUE;
    const FontInstance* font = GdiFontOfDC(dc);
    if (!font)
        return FALSE;
    std::vector<InkChar> chars = Place(*font, std::string_view(text, length), dx);
    const RECT* limit = rect && (options & ETO_CLIPPED) ? &box : nullptr;
    POINT at = DrawToDevice(target, x, y);
    if (state.bkMode == OPAQUE) {
        long long width = 0;
        for (const InkChar& c : chars)
            width += c.advance;
        long long right = std::clamp(at.x + width, -kFar, kFar);
        DrawFill(target, RECT{at.x, at.y, (LONG)right, at.y + font->metrics.tmHeight}, background,
                 limit);
    }
    DrawTextInk(target, at.x, at.y, chars, limit);
    return TRUE;
}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (length < 0)
        return FALSE;
    return ExtTextOutA(dc, x, y, 0, nullptr, text, (UINT)length, nullptr);
}
