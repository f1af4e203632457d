#include "TkMarkupValueText.h"

#include <cmath>
#include <cwctype>
#include <iterator>

namespace {

struct NamedColor {
    LPCWSTR lpszName;
    COLORREF clrRgb;  // 0xRRGGBB as written on the web, not a COLORREF
};

// The colours of the web, and "TRANSPARENT", which is found but is no colour.
const NamedColor kNamedColors[] = {
    {L"ALICEBLUE", 0xF0F8FF},
    {L"ANTIQUEWHITE", 0xFAEBD7},
    {L"AQUA", 0x00FFFF},
    {L"AQUAMARINE", 0x7FFFD4},
    {L"AZURE", 0xF0FFFF},
    {L"BEIGE", 0xF5F5DC},
    {L"BISQUE", 0xFFE4C4},
    {L"BLACK", 0x000000},
    {L"BLANCHEDALMOND", 0xFFEBCD},
    {L"BLUE", 0x0000FF},
    {L"BLUEVIOLET", 0x8A2BE2},
    {L"BROWN", 0xA52A2A},
    {L"BURLYWOOD", 0xDEB887},
    {L"CADETBLUE", 0x5F9EA0},
    {L"CHARTREUSE", 0x7FFF00},
    {L"CHOCOLATE", 0xD2691E},
    {L"CORAL", 0xFF7F50},
    {L"CORNFLOWERBLUE", 0x6495ED},
    {L"CORNSILK", 0xFFF8DC},
    {L"CRIMSON", 0xDC143C},
    {L"CYAN", 0x00FFFF},
    {L"DARKBLUE", 0x00008B},
    {L"DARKCYAN", 0x008B8B},
    {L"DARKGOLDENROD", 0xB8860B},
    {L"DARKGRAY", 0xA9A9A9},
    {L"DARKGREEN", 0x006400},
    {L"DARKKHAKI", 0xBDB76B},
    {L"DARKMAGENTA", 0x8B008B},
    {L"DARKOLIVEGREEN", 0x556B2F},
    {L"DARKORANGE", 0xFF8C00},
    {L"DARKORCHID", 0x9932CC},
    {L"DARKRED", 0x8B0000},
    {L"DARKSALMON", 0xE9967A},
    {L"DARKSEAGREEN", 0x8FBC8F},
    {L"DARKSLATEBLUE", 0x483D8B},
    {L"DARKSLATEGRAY", 0x2F4F4F},
    {L"DARKTURQUOISE", 0x00CED1},
    {L"DARKVIOLET", 0x9400D3},
    {L"DEEPPINK", 0xFF1493},
    {L"DEEPSKYBLUE", 0x00BFFF},
    {L"DIMGRAY", 0x696969},
    {L"DODGERBLUE", 0x1E90FF},
    {L"FIREBRICK", 0xB22222},
    {L"FLORALWHITE", 0xFFFAF0},
    {L"FORESTGREEN", 0x228B22},
    {L"FUCHSIA", 0xFF00FF},
    {L"GAINSBORO", 0xDCDCDC},
    {L"GHOSTWHITE", 0xF8F8FF},
    {L"GOLD", 0xFFD700},
    {L"GOLDENROD", 0xDAA520},
    {L"GRAY", 0x808080},
    {L"GREEN", 0x008000},
    {L"GREENYELLOW", 0xADFF2F},
    {L"HONEYDEW", 0xF0FFF0},
    {L"HOTPINK", 0xFF69B4},
    {L"INDIANRED", 0xCD5C5C},
    {L"INDIGO", 0x4B0082},
    {L"IVORY", 0xFFFFF0},
    {L"KHAKI", 0xF0E68C},
    {L"LAVENDER", 0xE6E6FA},
    {L"LAVENDERBLUSH", 0xFFF0F5},
    {L"LAWNGREEN", 0x7CFC00},
    {L"LEMONCHIFFON", 0xFFFACD},
    {L"LIGHTBLUE", 0xADD8E6},
    {L"LIGHTCORAL", 0xF08080},
    {L"LIGHTCYAN", 0xE0FFFF},
    {L"LIGHTGOLDENRODYELLOW", 0xFAFAD2},
    {L"LIGHTGRAY", 0xD3D3D3},
    {L"LIGHTGREEN", 0x90EE90},
    {L"LIGHTPINK", 0xFFB6C1},
    {L"LIGHTSALMON", 0xFFA07A},
    {L"LIGHTSEAGREEN", 0x20B2AA},
    {L"LIGHTSKYBLUE", 0x87CEFA},
    {L"LIGHTSLATEGRAY", 0x778899},
    {L"LIGHTSTEELBLUE", 0xB0C4DE},
    {L"LIGHTYELLOW", 0xFFFFE0},
    {L"LIME", 0x00FF00},
    {L"LIMEGREEN", 0x32CD32},
    {L"LINEN", 0xFAF0E6},
    {L"MAGENTA", 0xFF00FF},
    {L"MAROON", 0x800000},
    {L"MEDIUMAQUAMARINE", 0x66CDAA},
    {L"MEDIUMBLUE", 0x0000CD},
    {L"MEDIUMORCHID", 0xBA55D3},
    {L"MEDIUMPURPLE", 0x9370DB},
    {L"MEDIUMSEAGREEN", 0x3CB371},
    {L"MEDIUMSLATEBLUE", 0x7B68EE},
    {L"MEDIUMSPRINGGREEN", 0x00FA9A},
    {L"MEDIUMTURQUOISE", 0x48D1CC},
    {L"MEDIUMVIOLETRED", 0xC71585},
    {L"MIDNIGHTBLUE", 0x191970},
    {L"MINTCREAM", 0xF5FFFA},
    {L"MISTYROSE", 0xFFE4E1},
    {L"MOCCASIN", 0xFFE4B5},
    {L"NAVAJOWHITE", 0xFFDEAD},
    {L"NAVY", 0x000080},
    {L"OLDLACE", 0xFDF5E6},
    {L"OLIVE", 0x808000},
    {L"OLIVEDRAB", 0x6B8E23},
    {L"ORANGE", 0xFFA500},
    {L"ORANGERED", 0xFF4500},
    {L"ORCHID", 0xDA70D6},
    {L"PALEGOLDENROD", 0xEEE8AA},
    {L"PALEGREEN", 0x98FB98},
    {L"PALETURQUOISE", 0xAFEEEE},
    {L"PALEVIOLETRED", 0xDB7093},
    {L"PAPAYAWHIP", 0xFFEFD5},
    {L"PEACHPUFF", 0xFFDAB9},
    {L"PERU", 0xCD853F},
    {L"PINK", 0xFFC0CB},
    {L"PLUM", 0xDDA0DD},
    {L"POWDERBLUE", 0xB0E0E6},
    {L"PURPLE", 0x800080},
    {L"RED", 0xFF0000},
    {L"ROSYBROWN", 0xBC8F8F},
    {L"ROYALBLUE", 0x4169E1},
    {L"SADDLEBROWN", 0x8B4513},
    {L"SALMON", 0xFA8072},
    {L"SANDYBROWN", 0xF4A460},
    {L"SEAGREEN", 0x2E8B57},
    {L"SEASHELL", 0xFFF5EE},
    {L"SIENNA", 0xA0522D},
    {L"SILVER", 0xC0C0C0},
    {L"SKYBLUE", 0x87CEEB},
    {L"SLATEBLUE", 0x6A5ACD},
    {L"SLATEGRAY", 0x708090},
    {L"SNOW", 0xFFFAFA},
    {L"SPRINGGREEN", 0x00FF7F},
    {L"STEELBLUE", 0x4682B4},
    {L"TAN", 0xD2B48C},
    {L"TEAL", 0x008080},
    {L"THISTLE", 0xD8BFD8},
    {L"TOMATO", 0xFF6347},
    {L"TRANSPARENT", 0},
    {L"TURQUOISE", 0x40E0D0},
    {L"VIOLET", 0xEE82EE},
    {L"WHEAT", 0xF5DEB3},
    {L"WHITE", 0xFFFFFF},
    {L"WHITESMOKE", 0xF5F5F5},
    {L"YELLOW", 0xFFFF00},
    {L"YELLOWGREEN", 0x9ACD32},
};
static_assert(std::size(kNamedColors) == 141);

BOOL IsWhiteSpace(WCHAR ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L'\f' || ch == L'\v';
}

int DigitValue(WCHAR ch) {
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return 99;
}

// Digits of nBase at p with a sign already read; FALSE without digits or beyond 32 bits.
BOOL ReadDigits(LPCWSTR& p, int nBase, BOOL bNegative, int& nValue) {
    const INT64 nLimit = bNegative ? INT64{INT_MAX} + 1 : INT64{INT_MAX};
    INT64 nMagnitude = 0;
    LPCWSTR q = p;
    for (; DigitValue(*q) < nBase; q++) {
        nMagnitude = nMagnitude * nBase + DigitValue(*q);
        if (nMagnitude > nLimit)
            return FALSE;
    }
    if (q == p)
        return FALSE;
    p = q;
    nValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return TRUE;
}

BOOL ReadSign(LPCWSTR& p) {
    const BOOL bNegative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        p++;
    return bNegative;
}

}  // namespace

BOOL ParseNumber(LPCWSTR& p, double& dValue, WCHAR chSeparator, BOOL bRequireEnd) {
    if (p == nullptr)
        return FALSE;
    LPCWSTR q = p;
    while (*q == L' ')
        q++;
    double dNumber = 0.0;
    const BOOL bNegative = ReadSign(q);
    if (*q == 0)
        return FALSE;
    BOOL bFraction = FALSE;
    BOOL bAnyRead = FALSE;
    double dWeight = 0.1;
    for (;; q++) {
        const WCHAR ch = *q;
        if (ch >= L'0' && ch <= L'9') {
            if (bFraction) {
                dNumber += (ch - L'0') * dWeight;
                dWeight /= 10.0;
            } else {
                dNumber = dNumber * 10.0 + (ch - L'0');
            }
        } else if (ch == L'.') {
            if (bFraction)
                return FALSE;
            bFraction = TRUE;
        } else if (ch == 0 || ch == L' ' || (chSeparator != 0 && ch == chSeparator)) {
            break;
        } else {
            return FALSE;
        }
        bAnyRead = TRUE;
    }
    // Hundreds of digits overflow even a double: no value rather than an infinite one.
    if (!bAnyRead || !std::isfinite(dNumber))
        return FALSE;
    if (*q == L' ') {
        while (*q == L' ')
            q++;
        if (chSeparator != 0 && *q == chSeparator)
            q++;
    } else if (*q != 0) {
        q++;  // the separator
    }
    while (*q == L' ')
        q++;
    if (bRequireEnd && *q != 0)
        return FALSE;
    dValue = bNegative ? -dNumber : dNumber;
    p = q;
    return TRUE;
}

BOOL ScanCInteger(LPCWSTR& p, int& nValue) {
    LPCWSTR q = p;
    while (IsWhiteSpace(*q))
        q++;
    const BOOL bNegative = ReadSign(q);
    int nBase = 10;
    if (q[0] == L'0' && (q[1] == L'x' || q[1] == L'X') && DigitValue(q[2]) < 16) {
        nBase = 16;
        q += 2;
    } else if (q[0] == L'0') {
        nBase = 8;
    }
    if (!ReadDigits(q, nBase, bNegative, nValue))
        return FALSE;
    p = q;
    return TRUE;
}

BOOL ReadLeadingInteger(LPCWSTR lpsz, int& nValue) {
    LPCWSTR p = lpsz;
    while (IsWhiteSpace(*p))
        p++;
    const BOOL bNegative = ReadSign(p);
    if (DigitValue(*p) >= 10) {
        nValue = 0;
        return TRUE;
    }
    return ReadDigits(p, 10, bNegative, nValue);
}

BOOL LookupNamedColor(LPCWSTR lpszName, COLORREF& clr) {
    if (lpszName == nullptr || !std::iswalpha(lpszName[0]))
        return FALSE;
    for (const NamedColor& color : kNamedColors) {
        if (_wcsicmp(color.lpszName, lpszName) != 0)
            continue;
        if (wcscmp(color.lpszName, L"TRANSPARENT") == 0)
            return FALSE;
        clr = RGB((color.clrRgb >> 16) & 0xFF, (color.clrRgb >> 8) & 0xFF, color.clrRgb & 0xFF);
        return TRUE;
    }
    return FALSE;
}
