#include "TkMarkupParser.h"

#include "TkMarkupValueText.h"

#include <cerrno>
#include <cwchar>

namespace {

// Exactly these five; the vertical tab is text.
BOOL IsMarkupWhitespace(WCHAR ch) {
    return ch == 9 || ch == 10 || ch == 12 || ch == 13 || ch == 32;
}

const WCHAR kUnexpectedEnd[] = L"Unexpected end of file has occurred.";
const WCHAR kExpectedGreater[] = L"Unexpected token. The expected token is '>'";
const WCHAR kExpectedEquals[] = L"Unexpected token. The expected token is '='";
const WCHAR kGreaterInName[] = L"'>' is an unexpected token. The expected token is '='";
const WCHAR kLessInName[] = L"'<' is an unexpected token. The expected token is '='";
const WCHAR kExpectedQuote[] = L"Unexpected token. The expected token is '\"' or '''";

struct NamedEntity {
    LPCWSTR lpszName;
    WCHAR ch;
};
const NamedEntity kNamedEntities[] = {
    {L"gt", L'>'}, {L"lt", L'<'}, {L"amp", L'&'}, {L"apos", L'\''}, {L"quot", L'"'},
};

}  // namespace

template <int N>
BOOL CTkMarkupParser::TextBuffer<N>::Is(LPCWSTR lpsz) const {
    const int nOther = static_cast<int>(wcslen(lpsz));
    return nOther == nLength && wmemcmp(szText, lpsz, nLength) == 0;
}

template <int N>
BOOL CTkMarkupParser::TextBuffer<N>::EndsWith(LPCWSTR lpszTail, int nTailLength) const {
    return nLength >= nTailLength && wmemcmp(szText + nLength - nTailLength, lpszTail, nTailLength) == 0;
}

CTkMarkupParser::CTkMarkupParser()
    : m_pfnState(&CTkMarkupParser::ReadContent),
      m_chPushedBack(0),
      m_bTerminatorSeen(FALSE),
      m_nLine(0),
      m_nPosition(0),
      m_bUtf16(FALSE),
      m_nCodePage(0),
      m_pEnd(nullptr),
      m_pCursor(nullptr) {
    m_value.Clear();
    m_tagName.Clear();
    m_attributeName.Clear();
}

void CTkMarkupParser::SetBuffer(LPCWSTR lpszBegin, LPCWSTR lpszEnd) {
    m_pCursor = reinterpret_cast<const BYTE*>(lpszBegin);
    m_pEnd = reinterpret_cast<const BYTE*>(lpszEnd);
    m_bUtf16 = TRUE;
}

void CTkMarkupParser::SetBuffer(LPCSTR lpszBegin, LPCSTR lpszEnd) {
    m_pCursor = reinterpret_cast<const BYTE*>(lpszBegin);
    m_pEnd = reinterpret_cast<const BYTE*>(lpszEnd);
    m_bUtf16 = FALSE;
}

// ---- Characters

WCHAR CTkMarkupParser::DecodeUtf8() {
    const BYTE b = *m_pCursor;
    int nTrail = 0;
    WCHAR ch = 0;
    if (b < 0x80) {
        ch = b;
    } else if ((b & 0xE0) == 0xC0) {
        nTrail = 1;
        ch = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        nTrail = 2;
        ch = b & 0x0F;
    } else {
        return 0;  // a stray continuation byte or a four-byte lead: no character of ours
    }
    if (m_pEnd - m_pCursor <= nTrail)
        return 0;  // cut short by the end: nothing past the end is read
    for (int i = 1; i <= nTrail; i++)
        ch = static_cast<WCHAR>((ch << 6) | (m_pCursor[i] & 0x3F));
    m_pCursor += nTrail + 1;
    return ch;
}

WCHAR CTkMarkupParser::ReadInputChar() {
    if (m_pCursor == nullptr || m_pCursor >= m_pEnd)
        return 0;
    WCHAR ch = 0;
    if (m_bUtf16) {
        if (m_pEnd - m_pCursor >= 2) {
            memcpy(&ch, m_pCursor, sizeof(ch));
            m_pCursor += 2;
        }
    } else if (m_nCodePage == kCodePageUtf8) {
        ch = DecodeUtf8();
    } else {
        const BYTE b = *m_pCursor++;
        if (b < 0x80) {
            ch = b;
        } else {
            // Byte by byte: lead bytes of double-byte code pages give no character.
            WCHAR chWide = 0;
            if (MultiByteToWideChar(m_nCodePage, 0, reinterpret_cast<LPCSTR>(&b), 1, &chWide, 1) == 1)
                ch = chWide;
        }
    }
    if (ch == 0) {
        // A NUL or an undecodable byte ends the input for good, so no later read resumes behind it.
        m_pCursor = m_pEnd;
        return 0;
    }
    m_nPosition++;
    if (ch == 13 || ch == 10) {
        m_nLine++;
        m_nPosition = 0;
    }
    return ch;
}

WCHAR CTkMarkupParser::ReadChar() {
    if (m_chPushedBack != 0) {
        const WCHAR ch = m_chPushedBack;
        m_chPushedBack = 0;
        return ch;
    }
    return ReadInputChar();
}

WCHAR CTkMarkupParser::SkipWhitespace() {
    WCHAR ch = ReadChar();
    while (IsMarkupWhitespace(ch))
        ch = ReadChar();
    return ch;
}

BOOL CTkMarkupParser::FindFirstTag() {
    const WCHAR ch = SkipWhitespace();
    if (ch != L'<')
        return FALSE;
    PushBack(ch);
    return TRUE;
}

// ---- Entities

WCHAR CTkMarkupParser::DecodeNumericEntity(LPCWSTR lpszName, int nLength) const {
    if (nLength < 1 || lpszName[0] != L'#' || nLength > kMaxEntityName)
        return 0;
    WCHAR szNumber[kMaxEntityName + 1];
    wmemcpy(szNumber, lpszName, nLength);
    szNumber[nLength] = 0;
    if (nLength > 2 && szNumber[1] == L'x') {
        // Hexadecimal as the C library's %x reads it (white space, a sign, an optional 0x).
        LPWSTR pEnd = nullptr;
        errno = 0;
        const unsigned long nValue = wcstoul(szNumber + 2, &pEnd, 16);
        if (pEnd == szNumber + 2 || errno == ERANGE)
            return 0;
        return static_cast<WCHAR>(nValue & 0xFFFF);
    }
    LPCWSTR p = szNumber + 1;
    int nValue = 0;
    if (!ScanCInteger(p, nValue))
        return 0;
    return static_cast<WCHAR>(static_cast<unsigned>(nValue) & 0xFFFF);
}

WCHAR CTkMarkupParser::ReadEntity() {
    WCHAR szName[kMaxEntityName + 1];
    int nLength = 0;
    while (nLength < kMaxEntityName) {
        const WCHAR ch = ReadChar();
        if (ch == 0)
            return 0;
        if (ch == L';')
            break;
        szName[nLength++] = ch;
    }
    szName[nLength] = 0;
    for (const NamedEntity& entity : kNamedEntities) {
        if (wcscmp(entity.lpszName, szName) == 0)
            return entity.ch;
    }
    if (const WCHAR ch = DecodeNumericEntity(szName, nLength))
        return ch;
    // Unknown: kept as written (a name cut at the limit gains a ';').
    m_value.Append(L'&');
    for (int i = 0; i < nLength; i++)
        m_value.Append(szName[i]);
    return L';';
}

// ---- States

CTkMarkupParser::Token CTkMarkupParser::GetNextToken() {
    return (this->*m_pfnState)();
}

CTkMarkupParser::Token CTkMarkupParser::Fail(LPCWSTR lpszMessage) {
    m_value.Clear();
    for (LPCWSTR p = lpszMessage; *p != 0; p++)
        m_value.Append(*p);
    return tokenError;
}

CTkMarkupParser::Token CTkMarkupParser::ReadContent() {
    m_value.Clear();
    WCHAR ch = ReadChar();
    if (ch == 0)
        return tokenEnd;
    if (ch == L'<')
        return ReadTag();
    BOOL bWhitespaceRun = IsMarkupWhitespace(ch);
    if (ch == L'&') {
        // An entity always starts a run, and that run is text even when the entity is a space.
        ch = ReadEntity();
        if (ch == 0)
            return tokenEnd;
        bWhitespaceRun = FALSE;
    }
    for (;;) {
        m_value.Append(ch);
        ch = ReadInputChar();
        if (ch == 0 || ch == L'<' || ch == L'&' || IsMarkupWhitespace(ch) != bWhitespaceRun)
            break;
    }
    PushBack(ch);
    return bWhitespaceRun ? tokenWhitespace : tokenText;
}

CTkMarkupParser::Token CTkMarkupParser::ReadTag() {
    m_tagName.Clear();
    WCHAR ch = ReadChar();
    if (ch == L'?') {
        m_pfnState = &CTkMarkupParser::ReadProcessingInstruction;
        return tokenProcessingInstructionStart;
    }
    const BOOL bEndTag = ch == L'/';
    if (bEndTag)
        ch = ReadChar();
    if (ch == 0)
        return Fail(kUnexpectedEnd);
    for (;;) {
        if (IsMarkupWhitespace(ch)) {
            ch = SkipWhitespace();
            if (ch == 0)
                return Fail(kUnexpectedEnd);
            break;
        }
        if (ch == L'/' || ch == L'>')
            break;
        m_tagName.Append(ch);
        if (m_tagName.Is(L"!--")) {
            m_pfnState = &CTkMarkupParser::ReadComment;
            return tokenCommentStart;
        }
        if (m_tagName.Is(L"![CDATA[")) {
            m_pfnState = &CTkMarkupParser::ReadCData;
            return tokenCDataStart;
        }
        ch = ReadChar();
        if (ch == 0)
            return Fail(kUnexpectedEnd);
    }
    if (bEndTag)
        return ch == L'>' ? tokenEndTag : Fail(kExpectedGreater);
    PushBack(ch);
    m_pfnState = &CTkMarkupParser::ReadAttribute;
    return tokenStartTag;
}

CTkMarkupParser::Token CTkMarkupParser::ReadAttribute() {
    WCHAR ch = SkipWhitespace();
    if (ch == L'>') {
        m_pfnState = &CTkMarkupParser::ReadContent;
        return ReadContent();
    }
    if (ch == L'/') {
        ch = ReadChar();
        if (ch != L'>') {
            PushBack(ch);
            return Fail(kExpectedGreater);
        }
        m_pfnState = &CTkMarkupParser::ReadContent;
        return tokenEndTag;
    }
    m_attributeName.Clear();
    m_value.Clear();
    while (ch != L'=') {
        if (ch == 0)
            return tokenEnd;  // the builder decides what an unfinished tag means
        if (ch == L'>')
            return Fail(kGreaterInName);
        if (ch == L'<')
            return Fail(kLessInName);
        if (IsMarkupWhitespace(ch)) {
            if (SkipWhitespace() != L'=')
                return Fail(kExpectedEquals);
            break;
        }
        m_attributeName.Append(ch);
        ch = ReadChar();
    }
    const WCHAR chQuote = SkipWhitespace();
    if (chQuote != L'"' && chQuote != L'\'')
        return Fail(kExpectedQuote);
    // Taken as written: entities are not decoded in attribute values.
    for (ch = ReadChar(); ch != chQuote; ch = ReadChar()) {
        if (ch == 0)
            return Fail(kExpectedQuote);
        m_value.Append(ch);
    }
    return tokenAttribute;
}

CTkMarkupParser::Token CTkMarkupParser::ReadComment() {
    return ReadSection(L"-->", tokenCommentEnd, TRUE);
}

CTkMarkupParser::Token CTkMarkupParser::ReadCData() {
    return ReadSection(L"]]>", tokenCDataEnd, TRUE);
}

// The instruction's white space is dropped, so the builder finds encoding="utf-8" however it is spaced.
CTkMarkupParser::Token CTkMarkupParser::ReadProcessingInstruction() {
    return ReadSection(L"?>", tokenProcessingInstructionEnd, FALSE);
}

CTkMarkupParser::Token CTkMarkupParser::ReadSection(LPCWSTR lpszClose, Token tokEnd, BOOL bKeepWhitespace) {
    if (m_bTerminatorSeen) {
        m_bTerminatorSeen = FALSE;
        m_pfnState = &CTkMarkupParser::ReadContent;
        return tokEnd;  // the last chunk stays in the value buffer
    }
    const int nCloseLength = static_cast<int>(wcslen(lpszClose));
    m_value.Clear();
    for (;;) {
        const WCHAR ch = ReadChar();
        if (ch == 0)
            return tokenEnd;
        if (!bKeepWhitespace && IsMarkupWhitespace(ch))
            continue;
        m_value.Append(ch);
        if (m_value.EndsWith(lpszClose, nCloseLength)) {
            m_value.nLength -= nCloseLength;
            m_bTerminatorSeen = TRUE;
            return tokenContent;
        }
        // A long section comes in chunks; a closing sequence split between two is not seen.
        if (m_value.IsFull())
            return tokenContent;
    }
}
