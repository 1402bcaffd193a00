// The cable table: the cables the user can pick instead of typing a cable's diameter and
// capacitance, read once at start-up from "coaxtype.tbl".
#pragma once

#include "platform/winapi.h"

#include <stdint.h>

#define CABLE_NAME_SIZE 104 // 103 single-byte characters and the terminating zero
#define CABLE_TABLE_ROWS 500

struct CableType {
    char name[CABLE_NAME_SIZE];
    double capImperial;  // pF per foot, as read
    double diamImperial; // inch, as read
    double capMetric;    // pF per metre, rounded through a three-decimal text
    double diamMetric;   // cm, rounded through a three-decimal text
};

// Row k is item k of the cable list; row 0 is the placeholder for the user's own values.
struct CableTable {
    CableType rows[CABLE_TABLE_ROWS];
    int32_t rowCount;
};

extern CableTable g_cableTable;

// Removes trailing characters with codes 0 to 32 in place; returns the index of the last
// character left, -1 when none is left.
int TrimRight(char* text);

// Copies as much of from as fits in size bytes with the terminating zero.
void CopyName(char* to, const char* from, size_t size);

// Compares two names, the letters A to Z without regard to case, everything else exactly.
bool SameName(const char* a, const char* b);

// The value as shown with three decimals and read back.
double RoundThroughText(double value);

// Reads "coaxtype.tbl" into the table and the cable list, selecting and applying the row
// whose name is the saved cable choice.
void LoadCableTable(HWND list);

// Copies row's diameter and capacitance into the design in its unit system, recalculates
// and shows the fields. Row 0 (and anything not a row) changes nothing.
void ApplyCable(int32_t row);
