// The main window built the way start-up builds it, on the headless display, in a fresh
// temporary directory: for tests of the window's Parts without the message loop.
#pragma once

#include "calc/design.h"
#include "calc/trap.h"
#include "datafiles/cabletable.h"
#include "platform/headless/headless.h"
#include "res/resource.h"
#include "tests/support/tempdir.h"
#include "ui/fields.h"
#include "ui/window.h"

#include <cstring>
#include <string>

class MainWindowTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        BuildWindow();
    }
    // A fresh display, design and window: start-up up to the defaults.
    void BuildWindow() {
        HeadlessReset();
        DeleteDrawingObjects();
        memset(&g_design, 0, sizeof g_design);
        memset(&g_results, 0, sizeof g_results);
        memset(&g_cableTable, 0, sizeof g_cableTable);
        ASSERT_NE(RegisterMainClass(GetModuleHandleA(NULL)), 0);
        main_ =
            CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, NULL, 0);
        ASSERT_NE(main_, nullptr);
        FindControls(main_);
        CreateDrawingObjects(main_);
        SubclassFields();
        StoreDefaultDesign();
        SetImperialLabels(main_);
    }
    void TearDown() override {
        HeadlessReset();
        DeleteDrawingObjects();
        TempDirTest::TearDown();
    }

    // Loads a cable table written into the directory, then shows the window with the
    // focus in the frequency field, as start-up ends.
    void Start(const std::string& table = "") {
        if (!table.empty()) {
            WriteFile("coaxtype.tbl", table);
            LoadCableTable(g_cableList);
        }
        SolveTrap();
        ShowInputs();
        ShowResults();
        PlaceInitialFocus();
        ShowWindow(main_, SW_SHOWNORMAL);
        HeadlessPump();
    }

    static std::string Text(HWND window) {
        char text[1024] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static void Click(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        HeadlessClick((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        HeadlessPump();
    }
    static void Press(int key, bool shift = false) {
        if (shift)
            HeadlessKeyDown(VK_SHIFT);
        HeadlessKeyPress(key);
        if (shift)
            HeadlessKeyUp(VK_SHIFT);
        HeadlessPump();
    }
    // Replaces the text of the focused field as a user does: select all, type.
    static void Retype(const std::string& text) {
        HeadlessKeyDown(VK_CONTROL);
        HeadlessKeyPress('A');
        HeadlessKeyUp(VK_CONTROL);
        HeadlessTypeText(text);
        HeadlessPump();
    }
    static DWORD Selection(HWND edit) { return (DWORD)SendMessageA(edit, EM_GETSEL, 0, 0); }

    HWND main_ = NULL;
};
