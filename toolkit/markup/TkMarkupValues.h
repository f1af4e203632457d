#pragma once
#include "TkMarkupObject.h"

#include <string>

// The small value classes of markup: integer, double, enumeration, boolean, colour, string, thickness
// and point, with their conversions from markup text (ConvertFrom of a CTkMarkupString; NULL when the
// text does not convert). Frequent values are process-wide shared instances: the CreateValue functions
// answer one reference for the caller either way.

class CTkMarkupInt : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupInt(int nValue = 0) : m_nValue(nValue) {}
    int GetInt() const { return m_nValue; }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;
    // The text's leading decimal integer (white space and a sign before it allowed; 0 when there is
    // none); NULL when it does not fit 32 bits.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    int m_nValue;
};

class CTkMarkupDouble : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupDouble(double dValue = 0.0) : m_dValue(dValue) {}
    double GetDouble() const { return m_dValue; }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;
    // One decimal number and nothing after it.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    double m_dValue;
};

// Enumerations are converted by their properties' converters, not by the class.
class CTkMarkupEnum : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupEnum(int nValue = 0) : m_nValue(nValue) {}
    // Values 0 to 7 are shared; any other a new object.
    static CTkMarkupEnum* CreateValue(int nValue);
    int GetEnum() const { return m_nValue; }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;

private:
    int m_nValue;
};

class CTkMarkupBool : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupBool(BOOL bValue = FALSE) : m_bValue(bValue != FALSE) {}
    // The shared true or false value.
    static CTkMarkupBool* CreateValue(BOOL bValue);
    BOOL GetBool() const { return m_bValue; }
    UINT GetHashKey() const override { return static_cast<UINT>(m_bValue); }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;
    // "True" or "False" in any case give the shared values.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    BOOL m_bValue;
};

class CTkMarkupColor : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupColor(COLORREF clr = 0) : m_clr(clr) {}
    COLORREF GetColor() const { return m_clr; }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;
    // "#RRGGBB", "#AARRGGBB" (alpha dropped) or a colour name.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;
    // String content that converts replaces the colour, so a colour may be written as element text.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;

private:
    COLORREF m_clr;
};

class CTkMarkupString : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupString() = default;
    // nLength characters of lpszText (-1: up to its terminator). An empty text, a single space and a
    // single line feed are shared instances.
    static CTkMarkupString* CreateValue(LPCWSTR lpszText, int nLength = -1);
    LPCWSTR GetText() const { return m_strText.c_str(); }
    int GetLength() const { return static_cast<int>(m_strText.size()); }
    UINT GetHashKey() const override;
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;

private:
    std::wstring m_strText;
};

class CTkMarkupThickness : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupThickness() = default;
    CTkMarkupThickness(int nLeft, int nTop, int nRight, int nBottom) : m_rc{nLeft, nTop, nRight, nBottom} {}
    // The shared thickness of 0 on all sides.
    static CTkMarkupThickness* CreateZero();
    // Left, top, right and bottom widths.
    const RECT& GetThickness() const { return m_rc; }
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;
    // "l, t, r, b" (four C integers: a leading 0 reads octal, 0x hexadecimal) or one decimal integer for
    // all sides.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    RECT m_rc = {};
};

class CTkMarkupPoint : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupPoint(double x = 0.0, double y = 0.0) : m_x(x), m_y(y) {}
    double GetX() const { return m_x; }
    double GetY() const { return m_y; }
    // "x, y" as two decimal numbers.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    double m_x;
    double m_y;
};

// rc shrunk by the thickness, never inverted; unchanged for NULL.
CRect DeflateRect(const CRect& rc, const CTkMarkupThickness* pThickness);
// The same with the widths of the four sides.
CRect DeflateRect(const CRect& rc, const RECT& thickness);

// ---- Reading values with a fallback (for a NULL value or one of another class)
int MarkupIntOr(const CTkMarkupObject* pValue, int nDefault);
int MarkupEnumOr(const CTkMarkupObject* pValue, int nDefault);
BOOL MarkupBoolOr(const CTkMarkupObject* pValue, BOOL bDefault);
