#include "String.h"

#include "Exception.h"
#include "ResourceHandle.h"

#include <algorithm>
#include <cstdio>

namespace {

// The runtime's underscore functions keep Microsoft's %s/%S rule; the C99 family MinGW selects for
// C++ does not.
int CountFormatted(const wchar_t* format, va_list args) {
    return _vscwprintf(format, args);
}
int CountFormatted(const char* format, va_list args) {
    return _vscprintf(format, args);
}
int PrintFormatted(wchar_t* buffer, size_t count, const wchar_t* format, va_list args) {
    return _vsnwprintf(buffer, count, format, args);
}
int PrintFormatted(char* buffer, size_t count, const char* format, va_list args) {
    return _vsnprintf(buffer, count, format, args);
}

template <typename T>
const T* kWhiteSpace;
template <>
const wchar_t* kWhiteSpace<wchar_t> = L" \t\n\v\f\r";
template <>
const char* kWhiteSpace<char> = " \t\n\v\f\r";

template <typename T>
T FoldUpper(T ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<T>(ch - 'a' + 'A') : ch;
}
template <typename T>
T FoldLower(T ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<T>(ch - 'A' + 'a') : ch;
}

template <typename T>
size_t Length(const T* psz) {
    return psz == nullptr ? 0 : std::char_traits<T>::length(psz);
}

// The other width converted with the ANSI code page.
void Convert(std::wstring& out, const char* psz) {
    out = AfxA2W(psz).GetString();
}
void Convert(std::string& out, const wchar_t* psz) {
    out = AfxW2A(psz).GetString();
}
void Convert(std::wstring& out, const wchar_t* psz) {
    out = psz;
}

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

}  // namespace

template <typename T>
CStringT<T>::CStringT(PCXSTR psz) : m_str(psz == nullptr ? std::basic_string<T>() : std::basic_string<T>(psz)) {}

template <typename T>
CStringT<T>::CStringT(PCYSTR psz) {
    Convert(m_str, psz);
}

template <typename T>
CStringT<T>::CStringT(PCXSTR pch, int nLength) {
    if (nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

template <typename T>
CStringT<T>::CStringT(XCHAR ch, int nRepeat) {
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(PCXSTR psz) {
    if (psz == nullptr)
        m_str.clear();
    else
        m_str = psz;
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(PCYSTR psz) {
    Convert(m_str, psz);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(XCHAR ch) {
    m_str.assign(1, ch);
    return *this;
}

template <typename T>
T CStringT<T>::GetAt(int iChar) const {
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(iChar)];
}

template <typename T>
void CStringT<T>::SetAt(int iChar, XCHAR ch) {
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(iChar)] = ch;
}

template <typename T>
T* CStringT<T>::GetBuffer() {
    return m_str.data();
}

template <typename T>
T* CStringT<T>::GetBuffer(int nMinBufferLength) {
    // The extra units are zero, so ReleaseBuffer() finds the old length when nothing was written.
    if (nMinBufferLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufferLength));
    return m_str.data();
}

template <typename T>
T* CStringT<T>::GetBufferSetLength(int nLength) {
    m_str.resize(static_cast<size_t>(nLength < 0 ? 0 : nLength));
    return m_str.data();
}

template <typename T>
void CStringT<T>::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = static_cast<int>(Length(m_str.c_str()));
    m_str.resize(static_cast<size_t>(nNewLength < GetLength() ? nNewLength : GetLength()));
}

template <typename T>
CStringT<T>& CStringT<T>::operator+=(const CStringT& str) {
    m_str += str.m_str;
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator+=(PCXSTR psz) {
    if (psz != nullptr)
        m_str += psz;
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator+=(XCHAR ch) {
    m_str += ch;
    return *this;
}

template <typename T>
void CStringT<T>::Append(PCXSTR psz, int nLength) {
    if (psz != nullptr && nLength > 0)
        m_str.append(psz, static_cast<size_t>(nLength));
}

template <typename T>
int CStringT<T>::Compare(PCXSTR psz) const {
    return m_str.compare(psz == nullptr ? std::basic_string<T>() : std::basic_string<T>(psz));
}

template <typename T>
int CStringT<T>::CompareNoCase(PCXSTR psz) const {
    const T* a = m_str.c_str();
    const T* b = psz == nullptr ? a + m_str.size() : psz;
    for (;; ++a, ++b) {
        // Code units compare unsigned, as wcscmp does.
        using U = std::make_unsigned_t<T>;
        U ca = static_cast<U>(FoldLower(*a));
        U cb = static_cast<U>(FoldLower(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

template <typename T>
CStringT<T> CStringT<T>::Left(int nCount) const {
    return Mid(0, nCount);
}

template <typename T>
CStringT<T> CStringT<T>::Mid(int iFirst) const {
    return Mid(iFirst, GetLength());
}

template <typename T>
CStringT<T> CStringT<T>::Mid(int iFirst, int nCount) const {
    iFirst = Clamp(iFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - iFirst);
    return CStringT(m_str.c_str() + iFirst, nCount);
}

template <typename T>
CStringT<T> CStringT<T>::Right(int nCount) const {
    nCount = Clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

template <typename T>
int CStringT<T>::Find(XCHAR ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    size_t i = m_str.find(ch, static_cast<size_t>(iStart));
    return i == std::basic_string<T>::npos ? -1 : static_cast<int>(i);
}

template <typename T>
int CStringT<T>::Find(PCXSTR pszSub, int iStart) const {
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    size_t i = m_str.find(pszSub, static_cast<size_t>(iStart));
    return i == std::basic_string<T>::npos ? -1 : static_cast<int>(i);
}

template <typename T>
int CStringT<T>::ReverseFind(XCHAR ch) const {
    size_t i = m_str.rfind(ch);
    return i == std::basic_string<T>::npos ? -1 : static_cast<int>(i);
}

template <typename T>
int CStringT<T>::FindOneOf(PCXSTR pszCharSet) const {
    if (pszCharSet == nullptr)
        return -1;
    size_t i = m_str.find_first_of(pszCharSet);
    return i == std::basic_string<T>::npos ? -1 : static_cast<int>(i);
}

template <typename T>
int CStringT<T>::Replace(XCHAR chOld, XCHAR chNew) {
    int nCount = 0;
    for (T& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

template <typename T>
int CStringT<T>::Replace(PCXSTR pszOld, PCXSTR pszNew) {
    size_t nOld = Length(pszOld);
    if (nOld == 0)
        return 0;
    std::basic_string<T> newText = pszNew == nullptr ? std::basic_string<T>() : std::basic_string<T>(pszNew);
    int nCount = 0;
    for (size_t i = m_str.find(pszOld); i != std::basic_string<T>::npos; i = m_str.find(pszOld, i + newText.size())) {
        m_str.replace(i, nOld, newText);
        ++nCount;
    }
    return nCount;
}

template <typename T>
int CStringT<T>::Remove(XCHAR ch) {
    size_t nBefore = m_str.size();
    std::erase(m_str, ch);
    return static_cast<int>(nBefore - m_str.size());
}

template <typename T>
int CStringT<T>::Insert(int iIndex, XCHAR ch) {
    m_str.insert(static_cast<size_t>(Clamp(iIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

template <typename T>
int CStringT<T>::Insert(int iIndex, PCXSTR psz) {
    if (psz != nullptr)
        m_str.insert(static_cast<size_t>(Clamp(iIndex, 0, GetLength())), psz);
    return GetLength();
}

template <typename T>
int CStringT<T>::Delete(int iIndex, int nCount) {
    iIndex = Clamp(iIndex, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - iIndex);
    m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

template <typename T>
CStringT<T>& CStringT<T>::MakeUpper() {
    for (T& ch : m_str)
        ch = FoldUpper(ch);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeLower() {
    for (T& ch : m_str)
        ch = FoldLower(ch);
    return *this;
}

template <typename T>
int CStringT<T>::Trimmed(PCXSTR pszTargets, bool left, bool right) {
    if (pszTargets == nullptr)
        return GetLength();
    if (right) {
        size_t last = m_str.find_last_not_of(pszTargets);
        m_str.erase(last == std::basic_string<T>::npos ? 0 : last + 1);
    }
    if (left)
        m_str.erase(0, std::min(m_str.find_first_not_of(pszTargets), m_str.size()));
    return GetLength();
}

template <typename T>
CStringT<T>& CStringT<T>::Trim() {
    return Trim(kWhiteSpace<T>);
}
template <typename T>
CStringT<T>& CStringT<T>::Trim(XCHAR chTarget) {
    const T set[2] = {chTarget, 0};
    return Trim(set);
}
template <typename T>
CStringT<T>& CStringT<T>::Trim(PCXSTR pszTargets) {
    Trimmed(pszTargets, true, true);
    return *this;
}
template <typename T>
CStringT<T>& CStringT<T>::TrimLeft() {
    return TrimLeft(kWhiteSpace<T>);
}
template <typename T>
CStringT<T>& CStringT<T>::TrimLeft(XCHAR chTarget) {
    const T set[2] = {chTarget, 0};
    return TrimLeft(set);
}
template <typename T>
CStringT<T>& CStringT<T>::TrimLeft(PCXSTR pszTargets) {
    Trimmed(pszTargets, true, false);
    return *this;
}
template <typename T>
CStringT<T>& CStringT<T>::TrimRight() {
    return TrimRight(kWhiteSpace<T>);
}
template <typename T>
CStringT<T>& CStringT<T>::TrimRight(XCHAR chTarget) {
    const T set[2] = {chTarget, 0};
    return TrimRight(set);
}
template <typename T>
CStringT<T>& CStringT<T>::TrimRight(PCXSTR pszTargets) {
    Trimmed(pszTargets, false, true);
    return *this;
}

template <typename T>
void CStringT<T>::Format(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <typename T>
void CStringT<T>::FormatV(PCXSTR pszFormat, va_list args) {
    Empty();
    AppendFormatV(pszFormat, args);
}

template <typename T>
void CStringT<T>::AppendFormat(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename T>
void CStringT<T>::AppendFormatV(PCXSTR pszFormat, va_list args) {
    if (pszFormat == nullptr)
        AfxThrowInvalidArgException();
    // Measure first, then print into exactly that much room: the output is never cut.
    va_list measureArgs;
    va_copy(measureArgs, args);
    int nLength = CountFormatted(pszFormat, measureArgs);
    va_end(measureArgs);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    size_t nOld = m_str.size();
    m_str.resize(nOld + static_cast<size_t>(nLength) + 1);
    int nWritten = PrintFormatted(m_str.data() + nOld, static_cast<size_t>(nLength) + 1, pszFormat, args);
    m_str.resize(nOld + static_cast<size_t>(nWritten < 0 ? 0 : nWritten));
}

template <typename T>
BOOL CStringT<T>::LoadString(UINT nID) {
    // With a zero buffer size LoadStringW answers a read-only pointer into the resource.
    const wchar_t* pText = nullptr;
    int nLength = ::LoadStringW(AfxFindStringResourceHandle(nID), nID, reinterpret_cast<LPWSTR>(&pText), 0);
    if (nLength <= 0 || pText == nullptr) {
        Empty();
        return FALSE;
    }
    Convert(m_str, std::wstring(pText, static_cast<size_t>(nLength)).c_str());
    return TRUE;
}

template class CStringT<wchar_t>;
template class CStringT<char>;

CStringA AfxW2A(LPCWSTR psz, UINT nCodePage) {
    CStringA result;
    int nSource = static_cast<int>(Length(psz));
    if (nSource == 0)
        return result;
    int nLength = ::WideCharToMultiByte(nCodePage, 0, psz, nSource, nullptr, 0, nullptr, nullptr);
    if (nLength <= 0)
        return result;
    ::WideCharToMultiByte(nCodePage, 0, psz, nSource, result.GetBufferSetLength(nLength), nLength, nullptr, nullptr);
    return result;
}

CStringW AfxA2W(LPCSTR psz, UINT nCodePage) {
    CStringW result;
    int nSource = static_cast<int>(Length(psz));
    if (nSource == 0)
        return result;
    int nLength = ::MultiByteToWideChar(nCodePage, 0, psz, nSource, nullptr, 0);
    if (nLength <= 0)
        return result;
    ::MultiByteToWideChar(nCodePage, 0, psz, nSource, result.GetBufferSetLength(nLength), nLength);
    return result;
}

BOOL AfxExtractSubString(CString& rString, LPCTSTR pszFullString, int iSubString, TCHAR chSep) {
    rString.Empty();
    if (pszFullString == nullptr || iSubString < 0)
        return FALSE;
    const wchar_t* pStart = pszFullString;
    for (; iSubString > 0; --iSubString) {
        pStart = wcschr(pStart, chSep);
        if (pStart == nullptr)
            return FALSE;
        ++pStart;
    }
    const wchar_t* pEnd = wcschr(pStart, chSep);
    rString = CString(pStart, pEnd == nullptr ? static_cast<int>(wcslen(pStart)) : static_cast<int>(pEnd - pStart));
    return TRUE;
}
