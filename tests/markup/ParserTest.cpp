#include "TkMarkupParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Parser = CTkMarkupParser;

// The tokens up to the end or an error, one per '|': "<a" start tag, "</a" end tag, "@n=v" attribute,
// "T:x" text, "W:x" white space, "C:x" content, "<!--", "-->", "<![CDATA[", "]]>", "<?", "?>:value",
// "!message" error, "$" end.
std::wstring Describe(Parser& parser) {
    std::wstring strTokens;
    for (int i = 0; i < 100; i++) {
        const Parser::Token token = parser.GetNextToken();
        std::wstring strToken;
        switch (token) {
            case Parser::tokenError:
                strToken = std::wstring(L"!") + parser.GetValue();
                break;
            case Parser::tokenEnd:
                strToken = L"$";
                break;
            case Parser::tokenStartTag:
                strToken = std::wstring(L"<") + parser.GetTagName();
                break;
            case Parser::tokenEndTag:
                strToken = std::wstring(L"</") + parser.GetTagName();
                break;
            case Parser::tokenAttribute:
                strToken = std::wstring(L"@") + parser.GetAttributeName() + L"=" + parser.GetValue();
                break;
            case Parser::tokenText:
                strToken = std::wstring(L"T:") + parser.GetValue();
                break;
            case Parser::tokenWhitespace:
                strToken = std::wstring(L"W:") + parser.GetValue();
                break;
            case Parser::tokenContent:
                strToken = std::wstring(L"C:") + parser.GetValue();
                break;
            case Parser::tokenCommentStart:
                strToken = L"<!--";
                break;
            case Parser::tokenCommentEnd:
                strToken = L"-->";
                break;
            case Parser::tokenCDataStart:
                strToken = L"<![CDATA[";
                break;
            case Parser::tokenCDataEnd:
                strToken = L"]]>";
                break;
            case Parser::tokenProcessingInstructionStart:
                strToken = L"<?";
                break;
            case Parser::tokenProcessingInstructionEnd:
                strToken = std::wstring(L"?>:") + parser.GetValue();
                break;
        }
        strTokens += (i == 0 ? L"" : L"|") + strToken;
        if (token == Parser::tokenEnd || token == Parser::tokenError)
            break;
    }
    return strTokens;
}

std::wstring Tokenize(const std::wstring& strInput) {
    Parser parser;
    parser.SetBuffer(strInput.c_str(), strInput.c_str() + strInput.size());
    return Describe(parser);
}

std::wstring Tokenize8(const std::string& strInput, UINT nCodePage) {
    Parser parser;
    parser.SetBuffer(strInput.c_str(), strInput.c_str() + strInput.size());
    parser.SetCodePage(nCodePage);
    return Describe(parser);
}

}  // namespace

TEST(ParserTest, TokensOfMarkup) {
    const struct {
        std::wstring strInput;
        LPCWSTR lpszTokens;
    } cases[] = {
        // Tags and attributes
        {L"<a/>", L"<a|</a|$"},
        {L"<a></a>", L"<a|</a|$"},
        {L"<a  x = \"1\" y='2'>t</a  >", L"<a|@x=1|@y=2|T:t|</a|$"},
        {L"<a x='say \"hi\"'/>", L"<a|@x=say \"hi\"|</a|$"},
        {L"<a x=\"1 &amp; 2\"/>", L"<a|@x=1 &amp; 2|</a|$"},  // attribute values are taken as written
        {L"<a x=\"<\n>\"/>", L"<a|@x=<\n>|</a|$"},
        {L"<a =\"v\" x/y\"='w'/>", L"<a|@=v|@x/y\"=w|</a|$"},
        {L"<>", L"<|$"},
        {L"< a>", L"<|!'>' is an unexpected token. The expected token is '='"},
        {L"</>", L"</|$"},
        // Text is cut at every change between white space and text and before every entity
        {L"<a>Hello  world &amp; more</a>", L"<a|T:Hello|W:  |T:world|W: |T:&|W: |T:more|</a|$"},
        {L"A&amp;B", L"T:A|T:&B|$"},
        {L"&lt;b", L"T:<b|$"},
        {L"&gt;&apos;&quot;", L"T:>|T:'|T:\"|$"},
        {L"&foo;", L"T:&foo;|$"},
        {L"&AMP;", L"T:&AMP;|$"},
        {L"&#x20;x", L"T: x|$"},  // an entity-started run is text even when it is a space
        {L"&#65;&#x41;&#0x41;&#0101;", L"T:A|T:A|T:A|T:A|$"},
        {L"&#X41;&#x;&#0;&#;", L"T:&#X41;|T:&#x;|T:&#0;|T:&#;|$"},
        {L"&#65abc;", L"T:A|$"},
        {L"&#99999999999;", L"T:&#99999999999;|$"},  // does not fit 32 bits: kept as written
        {L"&0123456789012345678901234567890123", L"T:&0123456789012345678901234567890;123|$"},
        {L"x &amp", L"T:x|W: |$"},
        {L"a\vb", L"T:a\vb|$"},  // the vertical tab is no white space
        {L"a\tb\r\nc\fd", L"T:a|W:\t|T:b|W:\r\n|T:c|W:\f|T:d|$"},
        {std::wstring(L"ab\0<c/>", 7), L"T:ab|$"},  // a NUL ends the input for good
        // Comments, CDATA and processing instructions
        {L"<!-- a <b> -->x", L"<!--|C: a <b> |-->|T:x|$"},
        {L"<![CDATA[x]]y]]>", L"<![CDATA[|C:x]]y|]]>|$"},
        {L"<!---->", L"<!--|C:|-->|$"},
        {L"<?xml version=\"1.0\"  encoding='utf-8' ?><a/>",
         L"<?|C:xmlversion=\"1.0\"encoding='utf-8'|?>:xmlversion=\"1.0\"encoding='utf-8'|<a|</a|$"},
        {L"<!-- open", L"<!--|$"},
        // The six errors
        {L"<a", L"!Unexpected end of file has occurred."},
        {L"<a ", L"!Unexpected end of file has occurred."},
        {L"</", L"!Unexpected end of file has occurred."},
        {L"</a b>", L"!Unexpected token. The expected token is '>'"},
        {L"</ a>", L"!Unexpected token. The expected token is '>'"},
        {L"<a /x>", L"<a|!Unexpected token. The expected token is '>'"},
        {L"<a b>", L"<a|!'>' is an unexpected token. The expected token is '='"},
        {L"<a b<", L"<a|!'<' is an unexpected token. The expected token is '='"},
        {L"<a b c='1'>", L"<a|!Unexpected token. The expected token is '='"},
        {L"<a b=1>", L"<a|!Unexpected token. The expected token is '\"' or '''"},
        {L"<a b='1>", L"<a|!Unexpected token. The expected token is '\"' or '''"},
        // An unfinished attribute name is the end, for the builder to judge
        {L"<a b", L"<a|$"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lpszTokens, Tokenize(c.strInput)) << c.strInput;
}

TEST(ParserTest, LongTextIsCutAndLongSectionsComeInChunks) {
    const std::wstring strLongName(200, L'n');
    Parser parser;
    const std::wstring strTag = L"<" + strLongName + L" " + strLongName + L"='v'/>";
    parser.SetBuffer(strTag.c_str(), strTag.c_str() + strTag.size());
    ASSERT_EQ(Parser::tokenStartTag, parser.GetNextToken());
    EXPECT_EQ(strLongName.substr(0, 127), parser.GetTagName());
    ASSERT_EQ(Parser::tokenAttribute, parser.GetNextToken());
    EXPECT_EQ(strLongName.substr(0, 127), parser.GetAttributeName());
    ASSERT_EQ(Parser::tokenEndTag, parser.GetNextToken());
    EXPECT_EQ(strLongName.substr(0, 127), parser.GetTagName());

    const std::wstring strText(1500, L't');
    EXPECT_EQ(L"T:" + strText.substr(0, 1023) + L"|$", Tokenize(strText));

    const std::wstring strComment(2000, L'c');
    EXPECT_EQ(L"<!--|C:" + strComment.substr(0, 1023) + L"|C:" + strComment.substr(0, 977) + L"|-->|$",
              Tokenize(L"<!--" + strComment + L"-->"));
    // A closing sequence that straddles two chunks is not seen.
    const std::wstring strStraddle(1022, L'c');
    EXPECT_EQ(L"<!--|C:" + strStraddle + L"-|C:->x|-->|$", Tokenize(L"<!--" + strStraddle + L"-->x-->"));
}

TEST(ParserTest, CountsLinesAndPositions) {
    const struct {
        LPCWSTR lpszInput;
        int nTokens;
        int nLine;
        int nPosition;
    } cases[] = {
        {L"a\r\nb", 3, 2, 1},  // CR and LF count as two line ends
        {L"a\nbc", 3, 1, 2},
        {L"<a\n x='1'", 2, 1, 6},
        {L"&amp;", 1, 0, 5},
    };
    for (const auto& c : cases) {
        Parser parser;
        parser.SetBuffer(c.lpszInput, c.lpszInput + wcslen(c.lpszInput));
        for (int i = 0; i < c.nTokens; i++)
            parser.GetNextToken();
        EXPECT_EQ(c.nLine, parser.GetLine()) << c.lpszInput;
        EXPECT_EQ(c.nPosition, parser.GetPosition()) << c.lpszInput;
    }
}

TEST(ParserTest, FindFirstTagSkipsOnlyWhitespace) {
    const struct {
        LPCWSTR lpszInput;
        bool bFound;
    } cases[] = {
        {L" \r\n\t<a/>", true},
        {L"x<a/>", false},
        {L"\xFEFF<a/>", false},  // a byte-order signature is text
        {L"   ", false},
    };
    for (const auto& c : cases) {
        Parser parser;
        parser.SetBuffer(c.lpszInput, c.lpszInput + wcslen(c.lpszInput));
        EXPECT_EQ(c.bFound, parser.FindFirstTag() != FALSE) << c.lpszInput;
        if (c.bFound) {
            EXPECT_EQ(L"<a|</a|$", Describe(parser));
        }
    }
}

TEST(ParserTest, ReadsUtf8) {
    const struct {
        const char* pszInput;
        LPCWSTR lpszTokens;
    } cases[] = {
        {"<a x='\xC3\xA9'>\xE2\x82\xAC</a>", L"<a|@x=\x00E9|T:\x20AC|</a|$"},
        {"a\xF0\x9F\x98\x80z", L"T:a|$"},  // a four-byte sequence ends the input
        {"a\x80z", L"T:a|$"},              // so does a stray continuation byte
        {"a\xE2\x82", L"T:a|$"},           // and a sequence the end cuts short
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lpszTokens, Tokenize8(c.pszInput, Parser::kCodePageUtf8)) << c.pszInput;
}

TEST(ParserTest, ReadsAnsiByteByByteUntilSwitchedToUtf8) {
    WCHAR chAnsi = 0;
    ASSERT_EQ(1, MultiByteToWideChar(CP_ACP, 0, "\xE9", 1, &chAnsi, 1));
    // The switch comes between tokens, as after a processing instruction, where nothing is read ahead.
    const std::string strInput = "\xE9<?x?>\xC3\xA9";
    Parser parser;
    parser.SetBuffer(strInput.c_str(), strInput.c_str() + strInput.size());
    ASSERT_EQ(Parser::tokenText, parser.GetNextToken());
    EXPECT_EQ(std::wstring(1, chAnsi), parser.GetValue());
    ASSERT_EQ(Parser::tokenProcessingInstructionStart, parser.GetNextToken());
    ASSERT_EQ(Parser::tokenContent, parser.GetNextToken());
    ASSERT_EQ(Parser::tokenProcessingInstructionEnd, parser.GetNextToken());
    parser.SetCodePage(Parser::kCodePageUtf8);
    ASSERT_EQ(Parser::tokenText, parser.GetNextToken());
    EXPECT_STREQ(L"\x00E9", parser.GetValue());
    EXPECT_EQ(Parser::tokenEnd, parser.GetNextToken());
}
