#include "calc/design.h"
#include "calc/trap.h"
#include "datafiles/cabletable.h"
#include "tests/support/tempdir.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// A stand-in for the cable list that records what the loader sends it.
struct ListRecord {
    std::vector<std::string> items;
    std::vector<LPARAM> itemData;
    std::vector<WPARAM> selections;
};
ListRecord g_record;

LRESULT CALLBACK RecordingListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        g_record.items.push_back((const char*)lParam);
        g_record.itemData.push_back(-1);
        return (LRESULT)g_record.items.size() - 1;
    case CB_SETITEMDATA:
        if (wParam < g_record.itemData.size())
            g_record.itemData[wParam] = lParam;
        return 0;
    case CB_SETCURSEL:
        g_record.selections.push_back(wParam);
        return (LRESULT)wParam;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class CableTableTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXA windowClass = {};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = RecordingListProc;
            windowClass.lpszClassName = "RecordingList";
            ASSERT_NE(RegisterClassExA(&windowClass), 0);
            registered = true;
        }
        list_ = CreateWindowExA(0, "RecordingList", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        ASSERT_NE(list_, nullptr);
        g_record = ListRecord();
        memset(&g_design, 0, sizeof g_design);
        memset(&g_cableTable, 0, sizeof g_cableTable);
        memset(&g_results, 0, sizeof g_results);
        StoreDefaultDesign();
    }
    void TearDown() override {
        DestroyWindow(list_);
        TempDirTest::TearDown();
    }
    void Load(const std::string& table, const char* choice = "") {
        strcpy(g_design.coaxchoice, choice);
        WriteFile("coaxtype.tbl", table);
        LoadCableTable(list_);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < g_cableTable.rowCount; ++i)
            names.push_back(g_cableTable.rows[i].name);
        return names;
    }
    HWND list_ = NULL;
};

using NameList = std::vector<std::string>;

TEST_F(CableTableTest, ReadsRowsByTheGrammar) {
    const struct {
        const char* name;
        const char* table;
        NameList rows;
    } cases[] = {
        {"comments and blank lines only", "; a comment\n\n \t \r\n;x\t1\t2\n", {}},
        {"comment only at the first character", " ;not\t1\t2\n\t;also\t1\t2\n", {" ;not", ";also"}},
        {"leading and doubled tabs", "\t\tRG-58\t\t29\t\t\t0.195\n", {"RG-58"}},
        {"blanks inside and around names", "  own  values \t0\t0\n", {"  own  values "}},
        {"two fields give no row", "own\t0\t0\nshort\t29\nRG-8X\t25\t0.242\n", {"own", "RG-8X"}},
        {"five fields", "own\t1\t2\t3\t4\n", {"own"}},
        {"CR LF line ends", "own\t0\t0\r\nRG-6\t16.2\t0.272\r\n", {"own", "RG-6"}},
        {"a name alone", "lonely\n", {}},
    };
    for (const auto& c : cases) {
        memset(&g_cableTable, 0, sizeof g_cableTable);
        g_record = ListRecord();
        Load(c.table);
        EXPECT_EQ(Names(), c.rows) << c.name;
        EXPECT_EQ(g_record.items, c.rows) << c.name;
        for (size_t i = 0; i < g_record.itemData.size(); ++i)
            EXPECT_EQ(g_record.itemData[i], (LPARAM)i) << c.name;
        EXPECT_TRUE(g_record.selections.empty()) << c.name;
    }
}

TEST_F(CableTableTest, ReadsNumbersAndRoundsTheMetricColumnsThroughText) {
    Load("own\t0\t0\nRG-58\t29.667\t0.195\nodd\tabc\t0.19455\nhuge\t1e308\t-1e308\n");
    ASSERT_EQ(g_cableTable.rowCount, 4);
    const CableType& rg58 = g_cableTable.rows[1];
    EXPECT_EQ(rg58.capImperial, 29.667);
    EXPECT_EQ(rg58.diamImperial, 0.195);
    EXPECT_EQ(rg58.capMetric, 97.333);
    EXPECT_EQ(rg58.diamMetric, 0.495);
    const CableType& odd = g_cableTable.rows[2];
    EXPECT_EQ(odd.capImperial, 0);
    EXPECT_EQ(odd.capMetric, 0);
    EXPECT_EQ(odd.diamImperial, 0.19455);
    EXPECT_EQ(odd.diamMetric, 0.494);
    EXPECT_EQ(g_cableTable.rows[3].capMetric, RoundThroughText(1e308 * FEET_PER_METRE));
}

TEST_F(CableTableTest, KeepsWithinTheTableAndTheNames) {
    std::string table;
    for (int i = 0; i < 600; ++i)
        table += "cable " + std::to_string(i) + "\t30\t0.2\n";
    Load(table);
    EXPECT_EQ(g_cableTable.rowCount, CABLE_TABLE_ROWS);
    EXPECT_EQ(g_record.items.size(), size_t(CABLE_TABLE_ROWS));
    EXPECT_EQ(g_record.items.back(), "cable 499");

    memset(&g_cableTable, 0, sizeof g_cableTable);
    g_record = ListRecord();
    // A 150-character name is cut to 103. A line of 250 characters is read as two lines:
    // 199 characters of name alone, which give no row, then the rest, which does.
    Load("own\t0\t0\n" + std::string(150, 'N') + "\t30\t0.2\n" + std::string(250, 'L') +
         "\t31\t0.3\n");
    ASSERT_EQ(g_cableTable.rowCount, 3);
    EXPECT_EQ(std::string(g_cableTable.rows[1].name), std::string(103, 'N'));
    EXPECT_EQ(std::string(g_cableTable.rows[2].name), std::string(51, 'L'));
    EXPECT_EQ(g_cableTable.rows[2].capImperial, 31);
}

TEST_F(CableTableTest, AMissingFileLeavesEverythingAlone) {
    LoadCableTable(list_);
    EXPECT_EQ(g_cableTable.rowCount, 0);
    EXPECT_TRUE(g_record.items.empty());
    EXPECT_EQ(g_design.coaxdiam, 0.195);
}

TEST_F(CableTableTest, SelectsAndAppliesTheSavedChoice) {
    const struct {
        const char* name;
        const char* choice;
        bool metric;
        std::vector<WPARAM> selections;
        int selectedCable;
        double coaxdiam, capunit;
    } cases[] = {
        {"a row other than the first", "rg-8x", false, {2}, 2, 0.242, 25.0},
        {"the same row in metric",
         "RG-8X",
         true,
         {2},
         2,
         0.242 * CM_PER_INCH,
         25.0 * FEET_PER_METRE},
        {"the placeholder is selected, not applied", "(own values)", false, {0}, 0, 0.195, 29.667},
        {"two rows differing in case: both, the later wins", "Twin", false, {3, 4}, 4, 0.4, 31.0},
        {"no row of that name", "RG-213", false, {}, 0, 0.195, 29.667},
        {"letters beyond A to Z keep their case", "ФИДЕР", false, {}, 0, 0.195, 29.667},
        {"trailing blanks do not match", "RG-58", false, {}, 0, 0.195, 29.667},
    };
    const char* table = "(own values)\t0\t0\n"
                        "RG-58 \t29\t0.193\n"
                        "RG-8X\t25\t0.242\n"
                        "twin\t30\t0.3\n"
                        "TWIN\t31\t0.4\n"
                        "фидер\t20\t0.1\n";
    for (const auto& c : cases) {
        StoreDefaultDesign();
        g_design.metric = c.metric;
        g_record = ListRecord();
        Load(table, c.choice);
        EXPECT_EQ(g_record.selections, c.selections) << c.name;
        EXPECT_EQ(g_design.selectedCable, c.selectedCable) << c.name;
        EXPECT_EQ(g_design.coaxdiam, c.coaxdiam) << c.name;
        EXPECT_EQ(g_design.capunit, c.capunit) << c.name;
        EXPECT_STREQ(g_design.coaxchoice, c.choice) << c.name;
    }
}

TEST_F(CableTableTest, ApplyingARowSetsTheDesignAndSolves) {
    Load("own\t0\t0\nRG-58\t29.667\t0.195\n");
    ApplyCable(0);
    ApplyCable(-1);
    ApplyCable(2); // not a row
    EXPECT_EQ(g_design.selectedCable, 0);
    EXPECT_STREQ(g_results.turns, ""); // nothing was solved

    g_design.metric = true;
    ApplyCable(1);
    EXPECT_EQ(g_design.selectedCable, 1);
    EXPECT_EQ(g_design.coaxdiam, 0.195 * 2.54); // the unrounded products
    EXPECT_EQ(g_design.capunit, 29.667 * 3.280839895);
    EXPECT_NE(g_design.capunit, g_cableTable.rows[1].capMetric);
    EXPECT_EQ(RoundThroughText(g_design.capunit), g_cableTable.rows[1].capMetric);
    EXPECT_EQ(RoundThroughText(g_design.coaxdiam), g_cableTable.rows[1].diamMetric);
    EXPECT_STRNE(g_results.turns, "");
    EXPECT_EQ(g_design.frequency, 7.055);
    EXPECT_EQ(g_design.formdiam, 1.625);
}

TEST(TrimRight, RemovesControlCharactersAndBlanksOnly) {
    const struct {
        const char* in;
        const char* out;
        int last;
    } cases[] = {{"abc \t\r\n", "abc", 2}, {" \t\r\n", "", -1},   {"", "", -1},
                 {"a\x01\x1f ", "a", 0},   {"x\xa0", "x\xa0", 1}, {"\xff\x7f", "\xff\x7f", 1}};
    for (const auto& c : cases) {
        char text[32];
        strcpy(text, c.in);
        EXPECT_EQ(TrimRight(text), c.last) << c.in;
        EXPECT_STREQ(text, c.out);
    }
}

} // namespace
