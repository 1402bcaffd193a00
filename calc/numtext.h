// Number texts: the one reader and the one formatter of every number the program shows,
// reads or stores.
#pragma once

#include <stddef.h>

// Room for the fixed-notation text of any double with up to three decimals: a sign,
// 309 integer digits (DBL_MAX), the point, three decimals and the terminating zero.
#define NUMBER_TEXT_SIZE 316

// Reads a number the way atof does in the C locale: leading white space is skipped, then
// an optional sign, digits with "." as the decimal point and an optional exponent
// introduced by "e", "E", "d" or "D". Reading stops at the first character that cannot
// continue the number; a text that does not begin with a number reads as 0. Hexadecimal,
// "inf" and "nan" are not numbers. The result is the correctly rounded double; values
// beyond the range of a double read as an infinity, values too small as zero.
double ReadNumber(const char* text);

// As ReadNumber; also stores in *end where reading stopped (text itself when no number).
double ScanNumber(const char* text, const char** end);

// Writes value in fixed notation with the given number of decimals (0 to 3), rounded to
// the nearest with halves away from zero, decided on the exact binary value. A negative
// value keeps its sign even when it rounds to zero. Non-finite values are written "inf",
// "-inf", "nan" or "-nan". size must be NUMBER_TEXT_SIZE or more for the text never to be
// cut; a smaller buffer receives as much as fits, always terminated. Returns the length
// of the text written.
size_t FormatNumber(char* text, size_t size, double value, int decimals);
