#pragma once
#include "mfc.h"

// Readers of the numbers and names in markup text, shared by the value classes and the converters. None
// overflows: a number that does not fit fails.

// Reads one decimal number at p: spaces (only ' ') before it, one sign, digits with at most one '.';
// the number ends at a space, at chSeparator (consumed, also after spaces) or at the end of the text.
// On success p is past the number and the spaces after it; with bRequireEnd nothing may follow. FALSE
// (p unchanged) when the text holds anything else.
BOOL ParseNumber(LPCWSTR& p, double& dValue, WCHAR chSeparator, BOOL bRequireEnd);

// Reads one integer as the C library's %i conversion does: white space, a sign, then hexadecimal after
// 0x, octal after a leading 0, else decimal. On success p is past the digits. FALSE when there are no
// digits or the number does not fit 32 bits.
BOOL ScanCInteger(LPCWSTR& p, int& nValue);

// The text's leading decimal integer (white space and a sign allowed): 0 when it has none. FALSE when
// the number does not fit 32 bits.
BOOL ReadLeadingInteger(LPCWSTR lpsz, int& nValue);

// The colour of a colour name (any case; the 140 names of the web colours, GRAY spellings), TRUE;
// FALSE and clr untouched for any other text. "Transparent" is no colour.
BOOL LookupNamedColor(LPCWSTR lpszName, COLORREF& clr);
