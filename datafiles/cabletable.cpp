#include "datafiles/cabletable.h"

#include "calc/design.h"
#include "calc/numtext.h"
#include "calc/trap.h"
#include "ui/fields.h"

#include <stdio.h>
#include <string.h>

CableTable g_cableTable;

// Lines are read 199 characters at a time; a longer line continues as further lines.
#define TABLE_LINE_SIZE 200

int TrimRight(char* text) {
    int last = (int)strlen(text) - 1;
    while (last >= 0 && (unsigned char)text[last] <= 32) {
        text[last] = '\0';
        --last;
    }
    return last;
}

void CopyName(char* to, const char* from, size_t size) {
    size_t length = strlen(from);
    if (length > size - 1)
        length = size - 1;
    memcpy(to, from, length);
    to[length] = '\0';
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

bool SameName(const char* a, const char* b) {
    while (*a != '\0' && LowerAscii(*a) == LowerAscii(*b)) {
        ++a;
        ++b;
    }
    return LowerAscii(*a) == LowerAscii(*b);
}

double RoundThroughText(double value) {
    char text[NUMBER_TEXT_SIZE];
    FormatNumber(text, sizeof text, value, 3);
    return ReadNumber(text);
}

// The next tab-separated field of *cursor, or NULL when none is left. Leading tabs are
// skipped and a run of tabs is one separator, so a field is never empty.
static char* NextField(char** cursor) {
    char* field = *cursor;
    while (*field == '\t')
        ++field;
    if (*field == '\0')
        return NULL;
    char* end = field;
    while (*end != '\0' && *end != '\t')
        ++end;
    if (*end == '\t')
        *end++ = '\0';
    *cursor = end;
    return field;
}

void LoadCableTable(HWND list) {
    FILE* file = fopen("coaxtype.tbl", "r");
    if (file == NULL)
        return;
    g_cableTable.rowCount = 0;

    char line[TABLE_LINE_SIZE];
    while (g_cableTable.rowCount < CABLE_TABLE_ROWS && fgets(line, sizeof line, file) != NULL) {
        if (line[0] == ';')
            continue;
        // The line end, if read, goes with the trailing white space.
        if (TrimRight(line) < 0)
            continue;
        char* cursor = line;
        char* name = NextField(&cursor);
        if (name == NULL)
            continue;
        CableType* row = &g_cableTable.rows[g_cableTable.rowCount];
        CopyName(row->name, name, CABLE_NAME_SIZE);
        char* capacitance = NextField(&cursor);
        if (capacitance == NULL)
            continue;
        row->capImperial = ReadNumber(capacitance);
        char* diameter = NextField(&cursor);
        if (diameter == NULL)
            continue;
        row->diamImperial = ReadNumber(diameter);
        row->diamMetric = RoundThroughText(row->diamImperial * CM_PER_INCH);
        row->capMetric = RoundThroughText(row->capImperial * FEET_PER_METRE);

        int32_t index = g_cableTable.rowCount++;
        LRESULT position = SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)row->name);
        SendMessageA(list, CB_SETITEMDATA, (WPARAM)position, (LPARAM)index);
        if (SameName(row->name, g_design.coaxchoice)) {
            SendMessageA(list, CB_SETCURSEL, (WPARAM)index, 0);
            ApplyCable(index);
        }
    }
    fclose(file);
}

void ApplyCable(int32_t row) {
    if (row <= 0 || row >= g_cableTable.rowCount)
        return;
    g_design.selectedCable = row;
    g_design.coaxdiam = g_cableTable.rows[row].diamImperial;
    g_design.capunit = g_cableTable.rows[row].capImperial;
    if (g_design.metric) {
        g_design.coaxdiam = g_design.coaxdiam * CM_PER_INCH;
        g_design.capunit = g_design.capunit * FEET_PER_METRE;
    }
    SolveTrap();
    ShowInputs();
    ShowResults();
}
