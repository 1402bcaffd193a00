// The main window's dialog template as the program finds it among its resources.
#include "platform/winapi.h"
#include "res/resource.h"
#include "tests/res/dialog_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using dialog_reader::Template;

constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85;

Template LoadMainTemplate(DWORD* size = nullptr) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG);
    if (found == NULL) {
        ADD_FAILURE() << "no RT_DIALOG " << IDD_MAIN;
        return Template{};
    }
    const void* data = LockResource(LoadResource(module, found));
    DWORD bytes = SizeofResource(module, found);
    if (size)
        *size = bytes;
    return dialog_reader::Read(data, bytes);
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? std::string(1, char(c)) : "\\u" + std::to_string(unsigned(c));
    return out;
}

// Characters that Windows-1251 can hold: ASCII, the basic Cyrillic letters and the
// symbols of its upper half.
bool InWindows1251(char16_t c) {
    static const char16_t kUpperHalf[] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
        0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E,
        0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC,
        0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
        0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    };
    if (c >= 0x20 && c < 0x7F)
        return true;
    if (c >= 0x0410 && c <= 0x044F)
        return true;
    return std::find(std::begin(kUpperHalf), std::end(kUpperHalf), c) != std::end(kUpperHalf);
}

TEST(resDialogTemplate, HeaderDescribesAHiddenFixedSizeTopLevelWindowOfClassTrap) {
    DWORD size = 0;
    Template t = LoadMainTemplate(&size);
    ASSERT_TRUE(t.ok) << "the template ends early";
    EXPECT_EQ(t.end, size) << "bytes left after the last control";
    EXPECT_EQ(t.version, 1);
    EXPECT_EQ(t.signature, 0xFFFF);
    EXPECT_EQ(t.helpId, 0u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.style, 0x00CA0040u);
    EXPECT_EQ(t.style, DWORD(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFONT));
    EXPECT_EQ(t.style & (WS_POPUP | WS_CHILD | WS_VISIBLE | WS_THICKFRAME | WS_MAXIMIZEBOX |
                         DS_MODALFRAME | DS_CENTER),
              0u);
    EXPECT_EQ(t.count, 42);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 236);
    EXPECT_EQ(t.cy, 241);
    EXPECT_FALSE(t.menu.isOrdinal);
    EXPECT_EQ(t.menu.text, u"");
    EXPECT_FALSE(t.windowClass.isOrdinal);
    EXPECT_EQ(t.windowClass.text, u"Trap");
    EXPECT_EQ(t.title.rfind(u"Quorvin", 0), 0u) << Narrow(t.title);
    EXPECT_GT(t.title.size(), 7u) << "the credit line follows the title";
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 0);
    EXPECT_EQ(t.typeface, u"MS Sans Serif");
}

struct ControlRow {
    uint32_t id;
    uint16_t atom;
    const char16_t* text;
    int16_t x, y, cx, cy;
    uint32_t style;
};

// The controls in template order; unnamed labels carry 0xFFFF, the 16-bit form of -1.
const ControlRow kControls[] = {
    {1001, kEdit, u"", 75, 42, 35, 13, 0x50810080},
    {1004, kEdit, u"", 75, 58, 35, 13, 0x50810080},
    {1003, kEdit, u"", 75, 74, 35, 13, 0x50810080},
    {1002, kEdit, u"", 75, 90, 35, 13, 0x50810080},
    {1025, kStatic, u"Coaxial Trap Design", 7, 7, 222, 22, 0x50020001},
    {0xFFFF, kStatic, u"Частота:", 10, 44, 59, 9, 0x50020002},
    {0xFFFF, kStatic, u"Диаметр кабеля:", 10, 76, 61, 9, 0x50020002},
    {0xFFFF, kStatic, u"Диаметр катушки:", 4, 60, 69, 9, 0x50020002},
    {0xFFFF, kStatic, u"Погонная ёмкость:", 9, 92, 65, 9, 0x50020002},
    {0xFFFF, kStatic, u"МГц", 114, 43, 40, 9, 0x50020000},
    {1005, kStatic, u"см", 114, 61, 27, 9, 0x50020000},
    {1006, kStatic, u"см", 114, 77, 27, 9, 0x50020000},
    {1007, kStatic, u"пФ/м", 114, 92, 26, 9, 0x50020000},
    {0xFFFF, kStatic, u"Витков:", 7, 141, 59, 9, 0x50020002},
    {0xFFFF, kStatic, u"Длина кабеля:", 16, 171, 51, 9, 0x50020002},
    {0xFFFF, kStatic, u"Длина катушки:", 5, 156, 61, 9, 0x50020002},
    {0xFFFF, kStatic, u"Влияние длины:", 0, 189, 69, 9, 0x50020002},
    {1009, kEdit, u"", 75, 139, 35, 13, 0x50800080},
    {1010, kEdit, u"", 75, 187, 35, 13, 0x50800080},
    {1011, kEdit, u"", 75, 171, 35, 13, 0x50800080},
    {1012, kEdit, u"", 75, 155, 35, 13, 0x50800080},
    {1008, kStatic, u"см", 114, 156, 27, 9, 0x50020000},
    {1014, kStatic, u"см", 114, 171, 27, 9, 0x50020000},
    {1015, kStatic, u"кГц/см", 114, 189, 46, 9, 0x50020000},
    {0xFFFF, kStatic, u"Длина/Диаметр:", 8, 220, 58, 9, 0x50020002},
    {1013, kEdit, u"", 75, 219, 35, 13, 0x50800080},
    {0xFFFF, kStatic, u"C:", 147, 157, 15, 9, 0x50020002},
    {0xFFFF, kStatic, u"L:", 147, 141, 15, 9, 0x50020002},
    {0xFFFF, kStatic, u"jX:", 147, 173, 15, 9, 0x50020002},
    {1016, kEdit, u"", 169, 171, 35, 13, 0x50800080},
    {1017, kEdit, u"", 169, 155, 35, 13, 0x50800080},
    {1018, kEdit, u"", 169, 139, 35, 13, 0x50800080},
    {1019, kStatic, u"мкГн", 209, 141, 20, 9, 0x50020000},
    {1020, kStatic, u"пФ", 209, 157, 14, 9, 0x50020000},
    {1021, kStatic, u"Ом", 209, 173, 20, 9, 0x50020000},
    {1027, kButton, u"Выход", 185, 220, 38, 14, 0x50000000},
    {0xFFFF, kButton, u"Исходные данные", 7, 30, 222, 99, 0x50000007},
    {0xFFFF, kStatic, u"Влияние витка:", 0, 205, 69, 13, 0x50020002},
    {1028, kEdit, u"", 75, 203, 35, 13, 0x50800080},
    {1022, kStatic, u"кГц/см", 114, 205, 36, 9, 0x50020000},
    {1037, kComboBox, u"", 75, 109, 56, 93, 0x50200003},
    {0xFFFF, kStatic, u"Выбор кабеля", 18, 112, 48, 16, 0x50020002},
};

TEST(resDialogTemplate, ControlsMatchTheLayoutInOrder) {
    Template t = LoadMainTemplate();
    ASSERT_TRUE(t.ok);
    ASSERT_EQ(t.items.size(), std::size(kControls));
    for (size_t k = 0; k < std::size(kControls); ++k) {
        const ControlRow& want = kControls[k];
        const dialog_reader::Item& item = t.items[k];
        SCOPED_TRACE("control " + std::to_string(k));
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.id, want.id);
        EXPECT_TRUE(item.windowClass.isOrdinal);
        EXPECT_EQ(item.windowClass.ordinal, want.atom);
        EXPECT_FALSE(item.title.isOrdinal);
        EXPECT_EQ(item.title.text, std::u16string(want.text)) << Narrow(item.title.text);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style, want.style) << std::hex << item.style;
        EXPECT_EQ(item.extraCount, 0);
    }
}

TEST(resDialogTemplate, EveryTextFitsTheProgramsSingleByteCodePage) {
    Template t = LoadMainTemplate();
    ASSERT_TRUE(t.ok);
    std::vector<std::u16string> texts = {t.title, t.typeface, t.windowClass.text};
    for (const auto& item : t.items)
        texts.push_back(item.title.text);
    for (const auto& text : texts)
        for (char16_t c : text)
            EXPECT_TRUE(InWindows1251(c))
                << "U+" << std::hex << unsigned(c) << " in " << Narrow(text);
}

TEST(resDialogTemplate, IdentifiersHaveTheirValues) {
    struct Identifier {
        const char* name;
        int value, expected;
    };
    const Identifier identifiers[] = {
        {"IDD_MAIN", IDD_MAIN, 101},
        {"IDI_MAIN", IDI_MAIN, 102},
        {"IDC_FREQUENCY", IDC_FREQUENCY, 1001},
        {"IDC_CAPUNIT", IDC_CAPUNIT, 1002},
        {"IDC_COAXDIAM", IDC_COAXDIAM, 1003},
        {"IDC_FORMDIAM", IDC_FORMDIAM, 1004},
        {"IDC_FORMDIAM_UNIT", IDC_FORMDIAM_UNIT, 1005},
        {"IDC_COAXDIAM_UNIT", IDC_COAXDIAM_UNIT, 1006},
        {"IDC_CAPUNIT_UNIT", IDC_CAPUNIT_UNIT, 1007},
        {"IDC_COILLENGTH_UNIT", IDC_COILLENGTH_UNIT, 1008},
        {"IDC_TURNS", IDC_TURNS, 1009},
        {"IDC_LENGTHINFLUENCE", IDC_LENGTHINFLUENCE, 1010},
        {"IDC_CABLELENGTH", IDC_CABLELENGTH, 1011},
        {"IDC_COILLENGTH", IDC_COILLENGTH, 1012},
        {"IDC_LENGTHTODIAMETER", IDC_LENGTHTODIAMETER, 1013},
        {"IDC_CABLELENGTH_UNIT", IDC_CABLELENGTH_UNIT, 1014},
        {"IDC_LENGTHINFLUENCE_UNIT", IDC_LENGTHINFLUENCE_UNIT, 1015},
        {"IDC_REACTANCE", IDC_REACTANCE, 1016},
        {"IDC_CAPACITANCE", IDC_CAPACITANCE, 1017},
        {"IDC_INDUCTANCE", IDC_INDUCTANCE, 1018},
        {"IDC_INDUCTANCE_UNIT", IDC_INDUCTANCE_UNIT, 1019},
        {"IDC_CAPACITANCE_UNIT", IDC_CAPACITANCE_UNIT, 1020},
        {"IDC_REACTANCE_UNIT", IDC_REACTANCE_UNIT, 1021},
        {"IDC_TURNINFLUENCE_UNIT", IDC_TURNINFLUENCE_UNIT, 1022},
        {"IDC_METRIC", IDC_METRIC, 1023},
        {"IDC_IMPERIAL", IDC_IMPERIAL, 1024},
        {"IDC_TITLE", IDC_TITLE, 1025},
        {"IDC_HELPCMD", IDC_HELPCMD, 1026},
        {"IDC_EXIT", IDC_EXIT, 1027},
        {"IDC_TURNINFLUENCE", IDC_TURNINFLUENCE, 1028},
        {"IDC_CABLECHOICE", IDC_CABLECHOICE, 1037},
    };
    for (const auto& identifier : identifiers)
        EXPECT_EQ(identifier.value, identifier.expected) << identifier.name;

    // The three commands have no control in the template.
    Template t = LoadMainTemplate();
    for (const auto& item : t.items)
        for (int command : {IDC_METRIC, IDC_IMPERIAL, IDC_HELPCMD})
            EXPECT_NE(item.id, uint32_t(command));
}

} // namespace
