// System colours: the classic grey scheme, fixed for the run, and a brush for each.
#include "platform/gdi_objects.h"

#include <array>

namespace {

// Indices 0..30: COLOR_SCROLLBAR .. COLOR_MENUBAR. 25 is no colour.
constexpr int kColorCount = 31;
constexpr int kNoColor = 25;

constexpr std::array<COLORREF, kColorCount> kColors = {
    RGB(192, 192, 192), // COLOR_SCROLLBAR
    RGB(0, 128, 128),   // COLOR_BACKGROUND (the desktop)
    RGB(0, 0, 128),     // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(192, 192, 192), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(192, 192, 192), // COLOR_ACTIVEBORDER
    RGB(192, 192, 192), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(0, 0, 128),     // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(223, 223, 223), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    0,                  // 25: none
    RGB(0, 0, 255),     // COLOR_HOTLIGHT
    RGB(16, 132, 208),  // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),     // COLOR_MENUHILIGHT
    RGB(192, 192, 192), // COLOR_MENUBAR
};

bool IsColorIndex(int index) {
    return index >= 0 && index < kColorCount && index != kNoColor;
}

} // namespace

DWORD WINAPI GetSysColor(int index) {
    return IsColorIndex(index) ? kColors[index] : 0;
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    static std::array<GdiRef, kColorCount> brushes;
    if (!IsColorIndex(index))
        return nullptr;
    GdiRef& slot = brushes[index];
    if (!slot) {
        auto object = std::make_shared<GdiObject>();
        object->type = OBJ_BRUSH;
        object->stock = true;
        object->brush = LOGBRUSH{BS_SOLID, kColors[index], 0};
        if (!GdiInsert(object))
            return nullptr;
        slot = object;
    }
    return (HBRUSH)slot->handle;
}
