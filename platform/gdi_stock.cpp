// Stock objects: the brushes, pens and fonts that GetStockObject hands out. They are made
// on first use and live for the whole run; DeleteObject leaves them alone.
#include "platform/gdi_objects.h"

#include <array>
#include <cstring>

namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

struct StockTable {
    std::array<GdiRef, kStockCount> objects;
    int guiFontDpi = 96;
};

StockTable& Stock() {
    static StockTable table;
    return table;
}

GdiRef StockBrush(UINT style, COLORREF color) {
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_BRUSH;
    object->brush = LOGBRUSH{style, color, 0};
    return object;
}

GdiRef StockPen(UINT style, COLORREF color) {
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_PEN;
    object->pen = LOGPEN{style, POINT{style == PS_NULL ? 0 : 1, 0}, color};
    return object;
}

GdiRef StockFont(LONG height, LONG weight, BYTE charSet, BYTE pitchAndFamily, const char* face) {
    auto object = std::make_shared<GdiObject>();
    object->type = OBJ_FONT;
    object->font.lfHeight = height;
    object->font.lfWeight = weight;
    object->font.lfCharSet = charSet;
    object->font.lfPitchAndFamily = pitchAndFamily;
    strncpy(object->font.lfFaceName, face, LF_FACESIZE - 1);
    return object;
}

LONG GuiFontHeight(int dpi) {
    return -MulDiv(8, dpi, 72);
}

GdiRef MakeStock(int index) {
    switch (index) {
    case WHITE_BRUSH:
        return StockBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
        return StockBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return StockBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
        return StockBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return StockBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH:
        return StockBrush(BS_NULL, 0);
    case WHITE_PEN:
        return StockPen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN:
        return StockPen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN:
        return StockPen(PS_NULL, 0);
    case OEM_FIXED_FONT:
        return StockFont(12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN, "Terminal");
    case ANSI_FIXED_FONT:
        return StockFont(12, FW_NORMAL, RUSSIAN_CHARSET, FIXED_PITCH | FF_MODERN, "Courier");
    case ANSI_VAR_FONT:
        return StockFont(12, FW_NORMAL, RUSSIAN_CHARSET, VARIABLE_PITCH | FF_SWISS,
                         "MS Sans Serif");
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return StockFont(16, FW_BOLD, RUSSIAN_CHARSET, VARIABLE_PITCH | FF_SWISS, "System");
    case SYSTEM_FIXED_FONT:
        return StockFont(15, FW_NORMAL, RUSSIAN_CHARSET, FIXED_PITCH | FF_MODERN, "Fixedsys");
    case DEFAULT_GUI_FONT:
        return StockFont(GuiFontHeight(Stock().guiFontDpi), FW_NORMAL, RUSSIAN_CHARSET,
                         VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
    default:
        return nullptr; // 9 and 15 are no objects of ours
    }
}

} // namespace

GdiRef GdiStock(int index) {
    if (index < 0 || index >= kStockCount)
        return nullptr;
    GdiRef& slot = Stock().objects[index];
    if (!slot) {
        GdiRef object = MakeStock(index);
        if (!object)
            return nullptr;
        object->stock = true;
        if (!GdiInsert(object))
            return nullptr;
        slot = object;
    }
    return slot;
}

HGDIOBJ WINAPI GetStockObject(int index) {
    GdiRef object = GdiStock(index);
    return object ? object->handle : nullptr;
}

void GdiSetStockFontDpi(int dpi) {
    if (dpi <= 0)
        return;
    StockTable& stock = Stock();
    stock.guiFontDpi = dpi;
    if (GdiRef& font = stock.objects[DEFAULT_GUI_FONT]) {
        font->font.lfHeight = GuiFontHeight(dpi);
        font->realised = false; // realised again at the new size
        font->instance = nullptr;
    }
}

int GdiStockFontDpi() {
    return Stock().guiFontDpi;
}
