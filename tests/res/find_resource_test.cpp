// Finding resources by type and identifier, and the program's module handle.
#include "platform/winapi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct LookupCase {
    const char* what;
    LPCSTR name;
    LPCSTR type;
    bool found;
};

const LookupCase kLookups[] = {
    {"the dialog", MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG, true},
    {"the dialog by \"#101\"", "#101", RT_DIALOG, true},
    {"the dialog by \"#101\" and \"#5\"", "#101", "#5", true},
    {"the icon group", MAKEINTRESOURCEA(IDI_MAIN), RT_GROUP_ICON, true},
    {"the icon image", MAKEINTRESOURCEA(1), RT_ICON, true},
    {"the dialog as an icon", MAKEINTRESOURCEA(IDD_MAIN), RT_ICON, false},
    {"the dialog as an icon group", MAKEINTRESOURCEA(IDD_MAIN), RT_GROUP_ICON, false},
    {"the icon group as a dialog", MAKEINTRESOURCEA(IDI_MAIN), RT_DIALOG, false},
    {"the icon group as an image", MAKEINTRESOURCEA(IDI_MAIN), RT_ICON, false},
    {"an unknown dialog", MAKEINTRESOURCEA(103), RT_DIALOG, false},
    {"a second icon image", MAKEINTRESOURCEA(2), RT_ICON, false},
    {"an unknown type", MAKEINTRESOURCEA(IDD_MAIN), MAKEINTRESOURCEA(6), false},
    {"identifier 0", MAKEINTRESOURCEA(0), RT_DIALOG, false},
    {"a string name", "IDD_MAIN", RT_DIALOG, false},
    {"digits without '#'", "101", RT_DIALOG, false},
    {"'#' alone", "#", RT_DIALOG, false},
    {"'#' and zero", "#0", RT_DIALOG, false},
    {"'#' and a number that wraps to 101", "#65637", RT_DIALOG, false},
    {"'#' and a number with a letter", "#10x", RT_DIALOG, false},
    {"an empty name", "", RT_DIALOG, false},
    {"a string type", "#101", "DIALOG", false},
    {"an empty type", "#101", "", false},
};

TEST(resFindResource, FindsByTypeAndIdentifier) {
    HMODULE module = GetModuleHandleA(NULL);
    for (const LookupCase& lookup : kLookups) {
        HRSRC found = FindResourceA(module, lookup.name, lookup.type);
        EXPECT_EQ(found != NULL, lookup.found) << lookup.what;
        if (found != NULL) {
            EXPECT_EQ(found, FindResourceA(NULL, lookup.name, lookup.type))
                << lookup.what << ": NULL stands for the program";
        }
    }
}

TEST(resFindResource, LoadGivesTheAlignedBytesAndTheirSize) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC dialog = FindResourceA(module, MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG);
    HRSRC icon = FindResourceA(module, MAKEINTRESOURCEA(1), RT_ICON);
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(icon, nullptr);
    HGLOBAL loaded = LoadResource(module, dialog);
    ASSERT_NE(loaded, nullptr);
    const void* bytes = LockResource(loaded);
    EXPECT_EQ(bytes, loaded);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes) % 4, 0u);
    EXPECT_EQ(static_cast<const uint8_t*>(bytes)[0], 1) << "dlgVer";
    EXPECT_GT(SizeofResource(module, dialog), 0u);
    EXPECT_EQ(SizeofResource(NULL, icon), 744u);
    EXPECT_NE(LoadResource(NULL, icon), loaded);
}

TEST(resFindResource, ForeignHandlesGiveNothing) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC dialog = FindResourceA(module, MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    int other = 0;
    HMODULE otherModule = reinterpret_cast<HMODULE>(&other);
    HRSRC otherResource = reinterpret_cast<HRSRC>(&other);

    EXPECT_EQ(FindResourceA(otherModule, MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, NULL, RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(IDD_MAIN), NULL), nullptr);
    EXPECT_EQ(LoadResource(module, NULL), nullptr);
    EXPECT_EQ(LoadResource(module, otherResource), nullptr);
    EXPECT_EQ(LoadResource(otherModule, dialog), nullptr);
    EXPECT_EQ(SizeofResource(module, NULL), 0u);
    EXPECT_EQ(SizeofResource(module, otherResource), 0u);
    EXPECT_EQ(LockResource(NULL), nullptr);
}

TEST(resFindResource, ModuleHandleIsTheProgramsOwn) {
    HMODULE module = GetModuleHandleA(NULL);
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA(NULL), module);
    EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
}

} // namespace
