#pragma once
#include "AfxBase.h"

#include <compare>
#include <cstdarg>
#include <string>
#include <type_traits>

// CString: the layer's UTF-16 string (CStringA is its 8-bit twin with the same members).
//
// A value type: copies are independent and an object is not thread-safe (its owner locks it).
// Indices and lengths count code units. Case operations fold ASCII letters only, as the "C" locale
// does; code that needs Unicode case rules calls CharUpperW/CompareStringW itself.
//
// Format/FormatV/AppendFormat follow Microsoft's printf rules, which the system's format strings
// assume: in a wide format %s and %c take wide arguments and %S and %C 8-bit ones (the reverse in an
// 8-bit format); %ls/%lc are always wide and %hs/%hc always 8-bit. MinGW's C99 printf family reads
// %s the other way, so formatting goes through the runtime's _vscwprintf/_vsnwprintf only.
// A CString argument is passed to a format as (LPCTSTR)str or str.GetString(). Scanning follows the
// same rule only through the runtime's _snwscanf (where %i reads "064" as octal); MinGW's swscanf
// reads %s as 8-bit.

template <typename T>
class CStringT {
public:
    using XCHAR = T;
    using YCHAR = std::conditional_t<sizeof(T) == 1, wchar_t, char>;
    using PXSTR = T*;
    using PCXSTR = const T*;
    using PCYSTR = const YCHAR*;

    CStringT() = default;
    CStringT(PCXSTR psz);  // NULL gives an empty string
    CStringT(PCYSTR psz);  // converted with the ANSI code page
    CStringT(PCXSTR pch, int nLength);
    explicit CStringT(XCHAR ch, int nRepeat = 1);

    CStringT& operator=(PCXSTR psz);
    CStringT& operator=(PCYSTR psz);
    CStringT& operator=(XCHAR ch);

    // Access and size
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    XCHAR GetAt(int iChar) const;
    void SetAt(int iChar, XCHAR ch);
    XCHAR operator[](int iChar) const { return GetAt(iChar); }
    operator PCXSTR() const { return m_str.c_str(); }
    PCXSTR GetString() const { return m_str.c_str(); }

    // Buffer: the pointer stays valid until the next call that changes the string; after writing
    // through it call ReleaseBuffer (-1 takes the length up to the first terminator).
    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Joining and comparing
    CStringT& operator+=(const CStringT& str);
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(XCHAR ch);
    void Append(PCXSTR psz, int nLength);
    int Compare(PCXSTR psz) const;        // <0, 0, >0 by code units
    int CompareNoCase(PCXSTR psz) const;  // ASCII letters folded

    // Parts (out-of-range arguments are clamped)
    CStringT Left(int nCount) const;
    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Right(int nCount) const;

    // Search: indices, or -1 when not found
    int Find(XCHAR ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR pszCharSet) const;

    // Editing: Replace and Remove return the number of replacements or removals, Insert and
    // Delete the new length.
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR ch);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& Trim();  // white space: tab, line feed, VT, FF, CR, space
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    // Formatting (Microsoft rules, see above). A malformed format raises CInvalidArgException.
    void Format(PCXSTR pszFormat, ...);
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormat(PCXSTR pszFormat, ...);
    void AppendFormatV(PCXSTR pszFormat, va_list args);

    // Loads string nID from the current resource module; FALSE (string emptied) when the string is
    // missing or empty.
    BOOL LoadString(UINT nID);

    friend CStringT operator+(const CStringT& a, const CStringT& b) { return CStringT(a) += b; }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { return CStringT(a) += b; }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { return CStringT(a) += b; }
    friend CStringT operator+(const CStringT& a, XCHAR b) { return CStringT(a) += b; }
    friend CStringT operator+(XCHAR a, const CStringT& b) { return CStringT(a) += b; }
    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend auto operator<=>(const CStringT& a, const CStringT& b) { return a.Compare(b) <=> 0; }
    friend auto operator<=>(const CStringT& a, PCXSTR b) { return a.Compare(b) <=> 0; }

private:
    int Trimmed(PCXSTR pszTargets, bool left, bool right);

    std::basic_string<T> m_str;
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

// Conversions with an explicit code page (CP_ACP, CP_UTF8, ...). Characters without a mapping become
// the code page's default character.
CStringA AfxW2A(LPCWSTR psz, UINT nCodePage = CP_ACP);
CStringW AfxA2W(LPCSTR psz, UINT nCodePage = CP_ACP);

// Part iSubString of pszFullString split at chSep into rString. FALSE, with rString empty, when the
// text has fewer parts.
BOOL AfxExtractSubString(CString& rString, LPCTSTR pszFullString, int iSubString, TCHAR chSep = L'\n');

// Loads string nID of the current resource module into rString; FALSE when missing or empty.
inline BOOL AfxLoadString(UINT nID, CString& rString) {
    return rString.LoadString(nID);
}
