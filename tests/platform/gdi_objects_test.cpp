// GDI objects: handles, stock objects, brushes, GetObjectA, and every call given a handle
// that is no (or no longer an) object.
#include "platform/gdi_internal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const GdiDevice kScreen{96, 1024, 768, 271, 203};

// Handles that are not objects of the kind a call wants.
std::vector<std::pair<std::string, HANDLE>> BadHandles() {
    HDC deletedDc = GdiCreateDC(kScreen, nullptr);
    GdiDeleteDC(deletedDc);
    LOGFONTA log{};
    strcpy(log.lfFaceName, "Arial");
    HFONT deletedFont = CreateFontIndirectA(&log);
    DeleteObject(deletedFont);
    HBRUSH deletedBrush = CreateSolidBrush(RGB(1, 2, 3));
    DeleteObject(deletedBrush);
    return {
        {"NULL", nullptr},
        {"bogus", (HANDLE)(uintptr_t)0x1234},
        {"colour index", (HANDLE)(uintptr_t)(COLOR_BTNFACE + 1)},
        {"misaligned", (HANDLE)(uintptr_t)0x40000001},
        {"deleted DC", deletedDc},
        {"deleted font", deletedFont},
        {"deleted brush", deletedBrush},
    };
}

TEST(GdiObjects, EveryDcCallFailsOnAHandleThatIsNoDc) {
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    auto handles = BadHandles();
    handles.push_back({"a live brush", brush});
    handles.push_back({"a stock font", GetStockObject(SYSTEM_FONT)});

    for (const auto& [name, handle] : handles) {
        SCOPED_TRACE(name);
        HDC dc = (HDC)handle;
        POINT point{1, 2};
        XFORM xform{1, 0, 0, 1, 0, 0};
        TEXTMETRICA metrics{};
        SIZE size{-1, -1};
        EXPECT_EQ(SaveDC(dc), 0);
        EXPECT_FALSE(RestoreDC(dc, -1));
        EXPECT_EQ(SetGraphicsMode(dc, GM_ADVANCED), 0);
        EXPECT_EQ(GetGraphicsMode(dc), 0);
        EXPECT_EQ(GetMapMode(dc), 0);
        EXPECT_FALSE(ModifyWorldTransform(dc, &xform, MWT_IDENTITY));
        EXPECT_FALSE(SetWorldTransform(dc, &xform));
        EXPECT_FALSE(GetWorldTransform(dc, &xform));
        EXPECT_FALSE(SetViewportOrgEx(dc, 0, 0, &point));
        EXPECT_FALSE(SetWindowOrgEx(dc, 0, 0, &point));
        EXPECT_FALSE(GetViewportOrgEx(dc, &point));
        EXPECT_FALSE(GetWindowOrgEx(dc, &point));
        EXPECT_FALSE(DPtoLP(dc, &point, 1));
        EXPECT_FALSE(LPtoDP(dc, &point, 1));
        EXPECT_EQ(point.x, 1); // nothing written
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 0);
        EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), nullptr);
        EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
        EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(GetBkColor(dc), CLR_INVALID);
        EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
        EXPECT_EQ(GetBkMode(dc), 0);
        EXPECT_EQ(GetNearestColor(dc, RGB(1, 2, 3)), CLR_INVALID);
        EXPECT_FALSE(GetTextMetricsA(dc, &metrics));
        EXPECT_FALSE(GetTextExtentPoint32A(dc, "abc", 3, &size));
        EXPECT_EQ(size.cx, -1);
        EXPECT_EQ(GdiWindowOfDC(dc), nullptr);
        EXPECT_EQ(GdiFontOfDC(dc), nullptr);
        EXPECT_FALSE(GdiDeleteDC(dc));
    }
    // The brush went through all of that untouched.
    EXPECT_EQ(GetObjectType(brush), (DWORD)OBJ_BRUSH);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiObjects, EveryObjectCallFailsOnAHandleThatIsNoObject) {
    HDC dc = GdiCreateDC(kScreen, nullptr);
    auto handles = BadHandles();
    for (const auto& [name, handle] : handles) {
        SCOPED_TRACE(name);
        char buffer[64];
        memset(buffer, 0x5A, sizeof buffer);
        EXPECT_EQ(GetObjectA(handle, sizeof buffer, buffer), 0);
        EXPECT_EQ(GetObjectA(handle, 0, nullptr), 0);
        EXPECT_EQ(buffer[0], 0x5A);
        EXPECT_FALSE(DeleteObject(handle));
        EXPECT_EQ(GetObjectType(handle), 0u);
        EXPECT_EQ(SelectObject(dc, handle), nullptr);
        EXPECT_EQ(GdiFontInstance((HFONT)handle), nullptr);
    }
    // A DC is an object, but not one that GetObjectA describes or DeleteObject frees.
    EXPECT_EQ(GetObjectA(dc, 0, nullptr), 0);
    EXPECT_FALSE(DeleteObject(dc));
    EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_DC);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_TRUE(GdiDeleteDC(dc));
}

TEST(GdiObjects, HandlesAreNeverReused) {
    std::set<HANDLE> seen;
    std::vector<HANDLE> deleted;
    for (int i = 0; i < 200; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i, 0, 0));
        HDC dc = GdiCreateDC(kScreen, nullptr);
        ASSERT_TRUE(seen.insert(brush).second);
        ASSERT_TRUE(seen.insert(dc).second);
        EXPECT_TRUE(DeleteObject(brush));
        EXPECT_TRUE(GdiDeleteDC(dc));
        deleted.push_back(brush);
    }
    for (HANDLE handle : deleted)
        EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(GdiObjects, StockObjectsAreSharedAndSurviveDeleteObject) {
    struct Case {
        int index;
        DWORD type;
        UINT style;     // brushes and pens
        COLORREF color; // brushes and pens
    };
    const Case cases[] = {
        {WHITE_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(255, 255, 255)},
        {LTGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(192, 192, 192)},
        {GRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(128, 128, 128)},
        {DKGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(64, 64, 64)},
        {BLACK_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(0, 0, 0)},
        {NULL_BRUSH, OBJ_BRUSH, BS_NULL, 0},
        {WHITE_PEN, OBJ_PEN, PS_SOLID, RGB(255, 255, 255)},
        {BLACK_PEN, OBJ_PEN, PS_SOLID, RGB(0, 0, 0)},
        {NULL_PEN, OBJ_PEN, PS_NULL, 0},
        {OEM_FIXED_FONT, OBJ_FONT, 0, 0},
        {ANSI_FIXED_FONT, OBJ_FONT, 0, 0},
        {ANSI_VAR_FONT, OBJ_FONT, 0, 0},
        {SYSTEM_FONT, OBJ_FONT, 0, 0},
        {DEVICE_DEFAULT_FONT, OBJ_FONT, 0, 0},
        {SYSTEM_FIXED_FONT, OBJ_FONT, 0, 0},
        {DEFAULT_GUI_FONT, OBJ_FONT, 0, 0},
    };
    std::set<HGDIOBJ> handles;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        HGDIOBJ object = GetStockObject(c.index);
        ASSERT_NE(object, nullptr);
        EXPECT_TRUE(handles.insert(object).second);
        EXPECT_EQ(GetStockObject(c.index), object);
        EXPECT_TRUE(DeleteObject(object));
        EXPECT_TRUE(DeleteObject(object));
        EXPECT_EQ(GetObjectType(object), c.type);
        if (c.type == OBJ_BRUSH) {
            LOGBRUSH brush{};
            EXPECT_EQ(GetObjectA(object, sizeof brush, &brush), (int)sizeof brush);
            EXPECT_EQ(brush.lbStyle, c.style);
            EXPECT_EQ(brush.lbColor, c.color);
        } else if (c.type == OBJ_PEN) {
            LOGPEN pen{};
            EXPECT_EQ(GetObjectA(object, sizeof pen, &pen), (int)sizeof pen);
            EXPECT_EQ(pen.lopnStyle, c.style);
            EXPECT_EQ(pen.lopnColor, c.color);
        } else {
            LOGFONTA font{};
            EXPECT_EQ(GetObjectA(object, sizeof font, &font), (int)sizeof font);
            EXPECT_NE(font.lfFaceName[0], '\0');
            EXPECT_NE(GdiFontInstance((HFONT)object), nullptr);
        }
    }
    for (int index : {-1, 9, 15, 18, 19, 1000})
        EXPECT_EQ(GetStockObject(index), nullptr) << index;
}

TEST(GdiObjects, GetObjectCopiesNoMoreThanAsked) {
    LOGFONTA log{};
    log.lfHeight = -13;
    log.lfWeight = FW_BOLD;
    log.lfItalic = 1;
    log.lfCharSet = RUSSIAN_CHARSET;
    strcpy(log.lfFaceName, "Times New Roman");
    HFONT font = CreateFontIndirectA(&log);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    HGDIOBJ pen = GetStockObject(BLACK_PEN);

    struct Case {
        HGDIOBJ object;
        int whole;
    };
    const Case cases[] = {
        {font, (int)sizeof(LOGFONTA)}, {brush, (int)sizeof(LOGBRUSH)}, {pen, (int)sizeof(LOGPEN)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.whole);
        EXPECT_EQ(GetObjectA(c.object, 0, nullptr), c.whole); // the size it needs
        unsigned char buffer[128];
        for (int size : {-1, 0, 1, 4, c.whole - 1, c.whole, c.whole + 20}) {
            memset(buffer, 0xEE, sizeof buffer);
            int copied = GetObjectA(c.object, size, buffer);
            int expected = size <= 0 ? 0 : std::min(size, c.whole);
            EXPECT_EQ(copied, expected) << size;
            for (int i = expected; i < (int)sizeof buffer; ++i)
                ASSERT_EQ(buffer[i], 0xEE) << "byte " << i << " written for size " << size;
        }
    }

    LOGFONTA back{};
    ASSERT_EQ(GetObjectA(font, sizeof back, &back), (int)sizeof back);
    EXPECT_EQ(memcmp(&back, &log, sizeof log), 0);
    LOGBRUSH logBrush{};
    GetObjectA(brush, sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbStyle, (UINT)BS_SOLID);
    EXPECT_EQ(logBrush.lbColor, RGB(10, 20, 30));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiObjects, AFaceNameFillingItsWholeFieldIsCutToThirtyOneBytes) {
    LOGFONTA log{};
    log.lfHeight = -12;
    memset(log.lfFaceName, 'Q', LF_FACESIZE); // no terminating zero
    HFONT font = CreateFontIndirectA(&log);
    ASSERT_NE(font, nullptr);
    LOGFONTA back{};
    GetObjectA(font, sizeof back, &back);
    EXPECT_EQ(strlen(back.lfFaceName), (size_t)LF_FACESIZE - 1);
    EXPECT_NE(GdiFontInstance(font), nullptr); // some face stands in
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    DeleteObject(font);
}

TEST(GdiObjects, SystemColoursAndTheirBrushes) {
    struct Case {
        int index;
        COLORREF color;
    };
    const Case cases[] = {
        {COLOR_BTNFACE, RGB(192, 192, 192)},      {COLOR_WINDOW, RGB(255, 255, 255)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},         {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
        {COLOR_GRAYTEXT, RGB(128, 128, 128)},     {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
        {COLOR_3DLIGHT, RGB(223, 223, 223)},      {COLOR_INFOBK, RGB(255, 255, 225)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetSysColor(c.index), c.color);
        HBRUSH brush = GetSysColorBrush(c.index);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(GetSysColorBrush(c.index), brush);
        EXPECT_TRUE(DeleteObject(brush)); // ignored: the brush stays
        LOGBRUSH log{};
        ASSERT_EQ(GetObjectA(brush, sizeof log, &log), (int)sizeof log);
        EXPECT_EQ(log.lbColor, c.color);
        // As a brush argument, the index plus one means the same colour.
        EXPECT_EQ(GdiBrushColor((HBRUSH)(uintptr_t)(c.index + 1)), c.color);
        EXPECT_EQ(GdiBrushColor(brush), c.color);
    }
    for (int index : {-1, 25, 31, 1000}) {
        EXPECT_EQ(GetSysColor(index), 0u) << index;
        EXPECT_EQ(GetSysColorBrush(index), nullptr) << index;
    }
}

TEST(GdiObjects, BrushArgumentsResolveToColours) {
    HBRUSH solid = CreateSolidBrush(RGB(255, 255, 100));
    HBRUSH palette = CreateSolidBrush(0x02102030);
    HBRUSH gone = CreateSolidBrush(RGB(1, 1, 1));
    DeleteObject(gone);
    EXPECT_EQ(GdiBrushColor(solid), RGB(255, 255, 100));
    EXPECT_EQ(GdiBrushColor(palette), 0x00102030u);
    EXPECT_EQ(GdiBrushColor((HBRUSH)(uintptr_t)16), RGB(192, 192, 192)); // COLOR_BTNFACE + 1
    EXPECT_EQ(GdiBrushColor(nullptr), std::nullopt);
    EXPECT_EQ(GdiBrushColor((HBRUSH)GetStockObject(NULL_BRUSH)), std::nullopt);
    EXPECT_EQ(GdiBrushColor((HBRUSH)(uintptr_t)26), std::nullopt); // 25 is no colour
    EXPECT_EQ(GdiBrushColor(gone), std::nullopt);
    EXPECT_EQ(GdiBrushColor((HBRUSH)GetStockObject(SYSTEM_FONT)), std::nullopt);
    DeleteObject(solid);
    DeleteObject(palette);
}

} // namespace
