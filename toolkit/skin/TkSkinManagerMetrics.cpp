#include "TkSkinManagerMetrics.h"

#include "TkSkinManager.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinSchemaNames.h"

#include <vssym32.h>

namespace {

// The colours of a skin that leaves a system colour undefined, by system colour index.
constexpr COLORREF kDefaultColors[CTkSkinManagerMetrics::kColorCount] = {
    RGB(192, 192, 192), RGB(58, 110, 165),  RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),  RGB(181, 181, 181), RGB(0, 0, 128),
    RGB(192, 192, 192),
};

void ReplaceFont(CFont& font, const LOGFONTW& logFont) {
    font.DeleteObject();
    font.CreateFontIndirect(&logFont);
}

}  // namespace

CTkSkinManagerMetrics::CTkSkinManagerMetrics(CTkSkinManager* pManager) : m_pManager(pManager) {
    for (COLORREF& clr : m_clrColors)
        clr = static_cast<COLORREF>(-1);
}

CTkSkinManagerMetrics::~CTkSkinManagerMetrics() {
    if (m_hFaceBrush != nullptr)
        ::DeleteObject(m_hFaceBrush);
    SetPageBrush(nullptr);
    for (int i = 0; i < kColorCount; ++i)
        DeleteBrush(i);
}

void CTkSkinManagerMetrics::RefreshMetrics() {
    const CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    if (pSchema == nullptr) {
        for (int i = 0; i < kColorCount; ++i) {
            m_clrColors[i] = ::GetSysColor(i);
            DeleteBrush(i);
        }
        return;
    }
    m_bRefreshing = TRUE;
    const int nSysMetrics = SchemaClassId(L"SYSMETRICS");
    // The structure's size without the padded border width: the size the system-function replacements
    // recognise, whatever the headers' sizeof says.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0);
    ReplaceFont(m_fntCaption, metrics.lfCaptionFont);
    ReplaceFont(m_fntSmallCaption, metrics.lfSmCaptionFont);
    ReplaceFont(m_fntMenu, metrics.lfMenuFont);

    m_nBorderMultiplier = 1;
    ::SystemParametersInfoW(SPI_GETBORDER, 0, &m_nBorderMultiplier, 0);
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cyCaption = m_cyOsCaption = ::GetSystemMetrics(SM_CYCAPTION);
    m_cySmallCaption = m_cyOsSmallCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    if (m_pManager->GetApplyOptions() & tkSkinApplyMetrics)
        ReadSkinSizesAndFonts(nSysMetrics);

    ReadColors(nSysMetrics);
    m_clrEdgeLight = m_clrColors[COLOR_3DLIGHT];
    m_clrEdgeHighlight = m_clrColors[COLOR_BTNHIGHLIGHT];
    m_clrEdgeShadow = m_clrColors[COLOR_BTNSHADOW];
    m_clrEdgeDkShadow = m_clrColors[COLOR_3DDKSHADOW];
    if (m_hFaceBrush != nullptr)
        ::DeleteObject(m_hFaceBrush);
    m_hFaceBrush = ::CreateSolidBrush(m_clrColors[COLOR_3DFACE]);
    SetPageBrush(nullptr);
    m_bRefreshing = FALSE;
}

void CTkSkinManagerMetrics::ReadSkinSizesAndFonts(int nSysMetrics) {
    const CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    // The skin's bar heights leave out a line that the system's include.
    pSchema->GetIntProperty(nSysMetrics, 0, 0, TMT_CAPTIONBARHEIGHT, &m_cyCaption);
    ++m_cyCaption;
    pSchema->GetIntProperty(nSysMetrics, 0, 0, TMT_SMCAPTIONBARHEIGHT, &m_cySmallCaption);
    ++m_cySmallCaption;
    int nSize = 0;
    if (pSchema->GetIntProperty(nSysMetrics, 0, 0, TMT_SCROLLBARWIDTH, &nSize) == S_OK && nSize > 0)
        m_cxVScroll = m_cxHScroll = nSize;
    if (pSchema->GetIntProperty(nSysMetrics, 0, 0, TMT_SCROLLBARHEIGHT, &nSize) == S_OK && nSize > 0)
        m_cyVScroll = m_cyHScroll = nSize;
    LOGFONTW logFont;
    if (pSchema->GetFontProperty(nSysMetrics, 0, 0, TMT_CAPTIONFONT, &logFont) == S_OK)
        ReplaceFont(m_fntCaption, logFont);
    if (pSchema->GetFontProperty(nSysMetrics, 0, 0, TMT_SMALLCAPTIONFONT, &logFont) == S_OK)
        ReplaceFont(m_fntSmallCaption, logFont);
    if (pSchema->GetFontProperty(nSysMetrics, 0, 0, TMT_MENUFONT, &logFont) == S_OK)
        ReplaceFont(m_fntMenu, logFont);
}

void CTkSkinManagerMetrics::ReadColors(int nSysMetrics) {
    const CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    for (int i = 0; i < kColorCount; ++i) {
        const COLORREF clrOld = m_clrColors[i];
        // Unset while it is read, so a system-colour replacement asked meanwhile answers the system's.
        m_clrColors[i] = static_cast<COLORREF>(-1);
        COLORREF clr = 0;
        if (pSchema->GetColorProperty(nSysMetrics, 0, 0, TMT_SCROLLBAR + i, &clr) != S_OK) {
            clr = kDefaultColors[i];
            m_pManager->ApplyColorFilters(clr);
        }
        m_clrColors[i] = clr;
        if (clr != clrOld || m_hBrushes[i] == nullptr) {
            DeleteBrush(i);
            m_hBrushes[i] = ::CreateSolidBrush(clr);
        }
    }
}

COLORREF CTkSkinManagerMetrics::GetColor(int nIndex) const {
    return nIndex >= 0 && nIndex < kColorCount ? m_clrColors[nIndex] : 0;
}

HBRUSH CTkSkinManagerMetrics::GetBrush(int nIndex) const {
    return nIndex >= 0 && nIndex < kColorCount ? m_hBrushes[nIndex] : nullptr;
}

BOOL CTkSkinManagerMetrics::IsSkinBrush(HGDIOBJ hObject) const {
    if (hObject == nullptr || ::GetObjectType(hObject) != OBJ_BRUSH)
        return FALSE;
    for (HBRUSH hBrush : m_hBrushes) {
        if (hBrush == hObject)
            return TRUE;
    }
    return FALSE;
}

void CTkSkinManagerMetrics::SetPageBrush(HBRUSH hBrush) {
    if (m_hPageBrush != nullptr)
        ::DeleteObject(m_hPageBrush);
    m_hPageBrush = hBrush;
}

void CTkSkinManagerMetrics::DeleteBrush(int nIndex) {
    HBRUSH hBrush = m_hBrushes[nIndex];
    m_hBrushes[nIndex] = nullptr;
    if (hBrush != nullptr)
        ::DeleteObject(hBrush);
}
