#include "SkinTestSupport.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"

#include <sstream>
#include <vssym32.h>

namespace {

// A skin source that hands the schema the lines of a text.
class LineSource : public CTkSkinManagerResourceFile {
public:
    explicit LineSource(const std::wstring& text) : m_stream(text) {}
    BOOL ReadLine(CString& strLine) override {
        std::wstring line;
        if (!std::getline(m_stream, line))
            return FALSE;
        strLine = line.c_str();
        return TRUE;
    }

private:
    std::wistringstream m_stream;
};

class SchemaFromText {
public:
    explicit SchemaFromText(const std::wstring& text) : m_schema(&m_manager) {
        LineSource source(text);
        EXPECT_EQ(m_schema.ReadSchema(&source), S_OK);
    }
    CTkSkinManagerSchema& operator*() { return m_schema; }
    CTkSkinManagerSchema* operator->() { return &m_schema; }
    CTkSkinManager& Manager() { return m_manager; }

private:
    CTkSkinManager m_manager;
    CTkSkinManagerSchema m_schema;
};

constexpr int kGlobals = 1;
constexpr int kUnset = 0x5A5A5A;  // what the out value holds before a getter runs

// Swaps red and blue.
class SwapFilter : public CTkSkinManagerColorFilter {
public:
    void ApplyColorFilter(COLORREF& clr) override { clr = RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr)); }
};

}  // namespace

// Snippet -> what a typed getter answers, and the value it writes (only on S_OK).
TEST(SkinSchema, SnippetsAnswerTheirHresultsAndValues) {
    struct Row {
        const wchar_t* pszText;
        int nClass, nPart, nState, nProperty;
        HRESULT hr;
        int nValue;  // int, bool or COLORREF by the property's type
    };
    const Row rows[] = {
        // The fallback chain: state, part, class, GLOBALS.
        {L"[BUTTON.PUSHBUTTON(HOT)]\nTEXTCOLOR = 255 0 0", kButton, 1, 2, TMT_TEXTCOLOR, S_OK, 0x0000FF},
        {L"[BUTTON.PUSHBUTTON(HOT)]\nTEXTCOLOR = 255 0 0", kButton, 1, 3, TMT_TEXTCOLOR, E_FAIL, kUnset},
        {L"[BUTTON.PUSHBUTTON]\nBORDERSIZE=4", kButton, 1, 3, TMT_BORDERSIZE, S_OK, 4},
        {L"[BUTTON]\nBORDERSIZE=5", kButton, 1, 3, TMT_BORDERSIZE, S_OK, 5},
        {L"[GLOBALS]\nBORDERSIZE=6", kButton, 1, 3, TMT_BORDERSIZE, S_OK, 6},
        {L"[TOOLBAR(HOT)]\nBORDERSIZE=7", 9, 0, 2, TMT_BORDERSIZE, S_OK, 7},
        {L"[BUTTON(HOT)]\nBORDERSIZE=7", kButton, 0, 2, TMT_BORDERSIZE, E_FAIL, kUnset},  // no BUTTON state group
        // After the cut at ';' the header's last character is a space, not ']'.
        {L"[BUTTON.PUSHBUTTON]   ; pushed\nBORDERSIZE=4", kButton, 1, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[BUTTON]x\nBORDERSIZE=4", kButton, 0, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[ button . pushbutton ( hot ) ]\nbordersize = 9", kButton, 1, 2, TMT_BORDERSIZE, S_OK, 9},
        // Comments, lines before the first section, lines starting with '='.
        {L"BORDERSIZE=3\n[GLOBALS]\n;BORDERSIZE=4", kGlobals, 0, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[GLOBALS]\n=BORDERSIZE=4\n  BORDERSIZE = 8 ; eight", kGlobals, 0, 0, TMT_BORDERSIZE, S_OK, 8},
        {L"[GLOBALS]\nBORDERSIZE=-3px", kGlobals, 0, 0, TMT_BORDERSIZE, S_OK, -3},
        {L"[GLOBALS]\nBORDERSIZE=wide", kGlobals, 0, 0, TMT_BORDERSIZE, S_OK, 0},
        {L"[GLOBALS]\nBORDERSIZE=1\nBORDERSIZE=2", kGlobals, 0, 0, TMT_BORDERSIZE, S_OK, 2},
        // Menu sections are never read; WINDOW's are.
        {L"[MENU]\nBORDERSIZE=1", 11, 0, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[MENU.MENUITEM]\nBORDERSIZE=1", 11, 1, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[WINDOW.CAPTION(ACTIVE)]\nBORDERSIZE=1", kWindow, 1, 1, TMT_BORDERSIZE, S_OK, 1},
        {L"[TAB.TABITEMBOTHEDGE(HOT)]\nBORDERSIZE=1", kTab, 4, 2, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[TAB.TABITEMBOTHEDGE]\nBORDERSIZE=1", kTab, 4, 2, TMT_BORDERSIZE, S_OK, 1},
        {L"[BUTTON::PUSHBUTTON]\nBORDERSIZE=1", kButton, 0, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        {L"[Explorer::ListView]\nBORDERSIZE=1", 12, 0, 0, TMT_BORDERSIZE, E_FAIL, kUnset},
        // Colours: %i reads 0x hexadecimal and 0 octal, keeps the low 8 bits, misses numbers as 0.
        {L"[GLOBALS]\nFILLCOLOR = 064 0x10 7", kGlobals, 0, 0, TMT_FILLCOLOR, S_OK, 0x071034},
        {L"[GLOBALS]\nFILLCOLOR = 300 1", kGlobals, 0, 0, TMT_FILLCOLOR, S_OK, 0x00012C},
        // Bool: TRUE in any case; 1 is not TRUE.
        {L"[GLOBALS]\nTRANSPARENT=true", kGlobals, 0, 0, TMT_TRANSPARENT, S_OK, TRUE},
        {L"[GLOBALS]\nTRANSPARENT=1", kGlobals, 0, 0, TMT_TRANSPARENT, S_OK, FALSE},
        // A name the table lacks, and an int list, store nothing.
        {L"[GLOBALS]\nGLOWINTENSITY=1", kGlobals, 0, 0, 2429, E_FAIL, kUnset},
        {L"[GLOBALS]\nINTLIST=1\nINTLIST=1,2", kGlobals, 0, 0, TMT_INTLIST, E_FAIL, kUnset},
        // Another type than asked.
        {L"[GLOBALS]\nFILLCOLOR=1 2 3", kGlobals, 0, 0, TMT_FILLCOLOR, E_INVALIDARG, kUnset},
    };
    for (const Row& row : rows) {
        SchemaFromText schema(row.pszText);
        int nValue = kUnset;
        HRESULT hr;
        const CTkSkinManagerSchemaProperty* pFound =
            schema->FindProperty(row.nClass, row.nPart, row.nState, row.nProperty);
        const bool bAskColor = row.nProperty == TMT_TEXTCOLOR || (row.nProperty == TMT_FILLCOLOR && row.hr == S_OK);
        if (bAskColor) {
            COLORREF clr = kUnset;
            hr = schema->GetColorProperty(row.nClass, row.nPart, row.nState, row.nProperty, &clr);
            nValue = static_cast<int>(clr);
        } else if (row.nProperty == TMT_TRANSPARENT) {
            BOOL b = kUnset;
            hr = schema->GetBoolProperty(row.nClass, row.nPart, row.nState, row.nProperty, &b);
            nValue = b;
        } else {
            hr = schema->GetIntProperty(row.nClass, row.nPart, row.nState, row.nProperty, &nValue);
        }
        EXPECT_EQ(hr, row.hr) << row.pszText;
        EXPECT_EQ(nValue, row.nValue) << row.pszText;
        EXPECT_EQ(pFound != nullptr, row.hr != E_FAIL) << row.pszText;
    }
}

TEST(SkinSchema, RectanglesFontsEnumerationsAndPositionsAreParsedAsWritten) {
    SchemaFromText schema(
        L"[GLOBALS]\n"
        L"CONTENTMARGINS=1,2,3,4\n"
        L"SIZINGMARGINS=7\n"
        L"IMAGEFILE=Blue\\Button.bmp\n"
        L"BGTYPE=BORDERFILL\n"
        L"SIZINGTYPE=Purple\n"
        L"OFFSET=3, -4\n"
        L"TEXTSHADOWOFFSET=5 ,6\n"
        L"[SYSMETRICS]\n"
        L"CAPTIONFONT=Tahoma, 8, bold\n"
        L"MENUFONT=Segoe UI, 12, italic\n");
    const auto* pMargins = schema->FindProperty(kGlobals, 0, 0, TMT_CONTENTMARGINS);
    ASSERT_NE(pMargins, nullptr);
    EXPECT_EQ(pMargins->m_rcValue.left, 1);  // written left, right, top, bottom
    EXPECT_EQ(pMargins->m_rcValue.right, 2);
    EXPECT_EQ(pMargins->m_rcValue.top, 3);
    EXPECT_EQ(pMargins->m_rcValue.bottom, 4);
    const RECT rcPartial = schema->FindProperty(kGlobals, 0, 0, TMT_SIZINGMARGINS)->m_rcValue;
    EXPECT_TRUE(rcPartial.left == 7 && rcPartial.top == 0 && rcPartial.right == 0 && rcPartial.bottom == 0);
    EXPECT_EQ(schema->FindProperty(kGlobals, 0, 0, TMT_IMAGEFILE)->m_strValue, L"BLUE\\BUTTON.BMP");
    EXPECT_EQ(schema->FindProperty(kGlobals, 0, 0, TMT_BGTYPE)->m_nValue, 1);
    EXPECT_EQ(schema->FindProperty(kGlobals, 0, 0, TMT_SIZINGTYPE)->m_nValue, -1);
    const POINT ptOffset = schema->FindProperty(kGlobals, 0, 0, TMT_OFFSET)->m_ptValue;
    EXPECT_TRUE(ptOffset.x == 3 && ptOffset.y == -4);
    const POINT ptShadow = schema->FindProperty(kGlobals, 0, 0, TMT_TEXTSHADOWOFFSET)->m_ptValue;
    EXPECT_TRUE(ptShadow.x == 5 && ptShadow.y == 0) << "the ',' must follow the first number at once";

    HDC hDC = ::GetDC(::GetDesktopWindow());
    const int nLogPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(::GetDesktopWindow(), hDC);
    LOGFONTW font;
    ASSERT_EQ(schema->GetFontProperty(3, 0, 0, TMT_CAPTIONFONT, &font), S_OK);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, nLogPixelsY, 72));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, L"TAHOMA");
    ASSERT_EQ(schema->GetFontProperty(3, 0, 0, TMT_MENUFONT, &font), S_OK);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfHeight, -::MulDiv(12, nLogPixelsY, 72));
    EXPECT_STREQ(font.lfFaceName, L"SEGOE UI");
}

TEST(SkinSchema, ColoursPassTheFiltersAndAlphaLevel255KeepsImagesAsStored) {
    SchemaFromText filtered(L"[GLOBALS]\nFILLCOLOR=255 0 0");
    filtered.Manager().AddColorFilter(new SwapFilter);
    COLORREF clr = 0;
    ASSERT_EQ(filtered->GetColorProperty(kGlobals, 0, 0, TMT_FILLCOLOR, &clr), S_OK);
    EXPECT_EQ(clr, RGB(0, 0, 255));

    struct Row {
        const wchar_t* pszText;
        BOOL bPremultiply;
    };
    const Row rows[] = {
        {L"[DOCUMENTATION]\nALPHALEVEL=255", FALSE},
        {L"[GLOBALS]\nALPHALEVEL=255", FALSE},  // reached through the fallback
        {L"[DOCUMENTATION]\nALPHALEVEL=254", TRUE},
        {L"[DOCUMENTATION]\nAUTHOR=someone", TRUE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SchemaFromText(row.pszText)->IsPremultipliedAlpha(), row.bPremultiply) << row.pszText;
}

TEST(SkinSchema, KeysPackTheirFieldsAndRereadingReplacesEverything) {
    EXPECT_EQ(MakeSchemaKey(6, 1, 1, 0), (1u << 26) | (1u << 20) | (6u << 14));
    EXPECT_EQ(MakeSchemaKey(21, 10, 2, 3809), (2u << 26) | (10u << 20) | (21u << 14) | 3809u);
    EXPECT_EQ(ParseSchemaSectionKey(L"SCROLLBAR.ARROWBTN(RIGHTDISABLED)"), MakeSchemaKey(21, 1, 16, 0));
    EXPECT_EQ(ParseSchemaSectionKey(L"SCROLLBAR.ARROWBTN(RIGHTDISABLED"), 0u) << "its last character is cut";

    CTkSkinManager manager;
    CTkSkinManagerSchema schema(&manager);
    LineSource first(L"[GLOBALS]\nBORDERSIZE=1");
    schema.ReadSchema(&first);
    LineSource second(L"[GLOBALS]\nFILLCOLOR=1 1 1");
    schema.ReadSchema(&second);
    EXPECT_EQ(schema.FindProperty(kGlobals, 0, 0, TMT_BORDERSIZE), nullptr);
    EXPECT_NE(schema.FindProperty(kGlobals, 0, 0, TMT_FILLCOLOR), nullptr);
}
