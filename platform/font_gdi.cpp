// Fonts as GDI objects: CreateFontIndirectA, and the metrics and text extents of the font
// selected into a device context.
#include "platform/font_cache.h"
#include "platform/gdi_objects.h"

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font) {
    if (!font)
        return nullptr;
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_FONT;
    object->font = *font;
    object->font.lfFaceName[LF_FACESIZE - 1] = '\0'; // a face name has at most 31 bytes
    return (HFONT)GdiInsert(object);
}

const FontInstance* GdiRealise(GdiObject& font) {
    if (!font.realised) {
        font.instance = FontRealize(font.font);
        font.realised = true;
    }
    return font.instance;
}

const FontInstance* GdiFontInstance(HFONT font) {
    GdiObject* object = GdiFind(font, OBJ_FONT);
    return object ? GdiRealise(*object) : nullptr;
}

const FontInstance* GdiFontOfDC(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !found->state.font)
        return nullptr;
    return GdiRealise(*found->state.font);
}

BOOL GdiLogFontOfDC(HDC dc, LOGFONTA* font) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !found->state.font || !font)
        return FALSE;
    *font = found->state.font->font;
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !metrics || !found->state.font)
        return FALSE;
    GdiObject& font = *found->state.font;
    const FontInstance* instance = GdiRealise(font);
    if (!instance)
        return FALSE;
    *metrics = instance->metrics;
    metrics->tmUnderlined = font.font.lfUnderline ? 255 : 0;
    metrics->tmStruckOut = font.font.lfStrikeOut ? 255 : 0;
    metrics->tmDigitizedAspectX = found->device.dpi;
    metrics->tmDigitizedAspectY = found->device.dpi;
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !size || length < 0 || (length > 0 && !text) || !found->state.font)
        return FALSE;
    const FontInstance* instance = GdiRealise(*found->state.font);
    if (!instance)
        return FALSE;
    long width = length > 0 ? FontTextWidth(*instance, std::string_view(text, length)) : 0;
    size->cx = width > 0x7FFFFFFF ? 0x7FFFFFFF : (LONG)width;
    size->cy = instance->metrics.tmHeight;
    return TRUE;
}
