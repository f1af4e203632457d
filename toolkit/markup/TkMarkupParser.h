#pragma once
#include "mfc.h"

// CTkMarkupParser: the tokenizer of markup text. It reads the text one character at a time and hands
// out one token per GetNextToken; the builder pulls the tokens and makes the tree. It checks nothing
// beyond what its states need: tags are matched, and unknown tags and attributes reported, by the
// builder.
//
// One parser serves one parse. It allocates nothing: texts live in fixed buffers inside the object,
// so a token's text is cut silently at 1023 characters, a name at 127 and an entity name at 31. The
// input belongs to the caller and must outlive the parse. Errors are returned as tokenError with the
// message in the value buffer, never thrown.
//
// States: content (initial) -> attribute state after a start tag's name -> content after '>' or "/>";
// content -> comment, CDATA or processing-instruction state after its opening -> content after its end
// token. Error and end tokens leave the state as it is; the caller stops at either.
//
// Input is UTF-16 text, or 8-bit text read in a code page: the system's ANSI code page until the
// builder switches to UTF-8 (65001) between tokens. A character 0 ends the input wherever it stands.

class CTkMarkupParser {
public:
    enum Token {
        tokenError = -1,  // the message is the value
        tokenEnd = 0,     // the input is exhausted
        tokenStartTag = 1,
        tokenEndTag = 2,     // "</name>", or the "/>" of an empty tag (tag name still the start tag's)
        tokenAttribute = 3,  // attribute name and value
        tokenText = 4,       // a run of non-white-space text, or text that starts with an entity
        tokenWhitespace = 5,
        tokenContent = 6,  // a chunk of a comment, CDATA section or processing instruction
        tokenCommentStart = 7,
        tokenCommentEnd = 8,
        tokenCDataStart = 9,
        tokenCDataEnd = 10,
        tokenProcessingInstructionStart = 11,
        tokenProcessingInstructionEnd = 12,  // the instruction's last chunk is still the value
    };

    static constexpr int kMaxValue = 1023;
    static constexpr int kMaxName = 127;
    static constexpr int kMaxEntityName = 31;
    static constexpr UINT kCodePageUtf8 = 65001;

    CTkMarkupParser();
    virtual ~CTkMarkupParser() = default;
    CTkMarkupParser(const CTkMarkupParser&) = delete;
    CTkMarkupParser& operator=(const CTkMarkupParser&) = delete;

    // ---- Input (one of the two, before the first token; [begin, end), the end excluded)
    void SetBuffer(LPCWSTR lpszBegin, LPCWSTR lpszEnd);
    // 8-bit text in the code page (0, the system's ANSI code page, until SetCodePage).
    void SetBuffer(LPCSTR lpszBegin, LPCSTR lpszEnd);
    // Applies to the characters read after it; 65001 reads UTF-8, any other code page one byte per
    // character.
    void SetCodePage(UINT nCodePage) { m_nCodePage = nCodePage; }
    UINT GetCodePage() const { return m_nCodePage; }

    // ---- Tokens
    // Skips white space; TRUE when the first other character is '<' (left for the first token).
    BOOL FindFirstTag();
    Token GetNextToken();
    // The texts of the last tokens, valid until a later token overwrites that buffer: the value buffer
    // is reset by every text, white-space, attribute and content token; the tag name survives
    // attribute and text tokens.
    LPCWSTR GetValue() { return m_value.Terminate(); }
    LPCWSTR GetTagName() { return m_tagName.Terminate(); }
    LPCWSTR GetAttributeName() { return m_attributeName.Terminate(); }

    // ---- Where the reading stands, for error messages (both counted from 0)
    // Line ends read: a CR and an LF each count, so CR LF is two.
    int GetLine() const { return m_nLine; }
    // Characters read since the last line end.
    int GetPosition() const { return m_nPosition; }

    // The character of a numeric reference, given what stands between '&' and ';': "#x" and hexadecimal
    // digits, or '#' and a C integer (decimal, 0x hexadecimal, 0 octal); its low 16 bits. 0 when the
    // text is no numeric reference or its number does not fit 32 bits.
    virtual WCHAR DecodeNumericEntity(LPCWSTR lpszName, int nLength) const;

private:
    // A fixed buffer that keeps the first N characters appended and drops the rest.
    template <int N>
    struct TextBuffer {
        WCHAR szText[N + 1];
        int nLength;

        void Clear() { nLength = 0; }
        void Append(WCHAR ch) {
            if (nLength < N)
                szText[nLength++] = ch;
        }
        BOOL IsFull() const { return nLength == N; }
        BOOL Is(LPCWSTR lpsz) const;
        BOOL EndsWith(LPCWSTR lpszTail, int nTailLength) const;
        LPCWSTR Terminate() {
            szText[nLength] = 0;
            return szText;
        }
    };

    using StateRoutine = Token (CTkMarkupParser::*)();

    // ---- States
    Token ReadContent();
    Token ReadTag();
    Token ReadAttribute();
    Token ReadComment();
    Token ReadCData();
    Token ReadProcessingInstruction();
    // The chunks of a comment, CDATA section or processing instruction up to lpszClose; tokEnd once
    // the closing sequence has been read.
    Token ReadSection(LPCWSTR lpszClose, Token tokEnd, BOOL bKeepWhitespace);
    Token Fail(LPCWSTR lpszMessage);

    // ---- Characters (0: the end of the input)
    WCHAR ReadChar();
    WCHAR ReadInputChar();
    WCHAR DecodeUtf8();
    void PushBack(WCHAR ch) { m_chPushedBack = ch; }
    WCHAR SkipWhitespace();
    // The character an entity stands for, after '&'; an unknown one is appended to the value as written
    // and ';' answered.
    WCHAR ReadEntity();

    StateRoutine m_pfnState;
    TextBuffer<kMaxValue> m_value;
    TextBuffer<kMaxName> m_tagName;
    TextBuffer<kMaxName> m_attributeName;
    WCHAR m_chPushedBack;    // 0: none
    BOOL m_bTerminatorSeen;  // a section's closing sequence has been read
    int m_nLine;
    int m_nPosition;
    BOOL m_bUtf16;
    UINT m_nCodePage;
    const BYTE* m_pEnd;     // not owned
    const BYTE* m_pCursor;  // not owned
};
