#include "ThemeTestSupport.h"

#include "TkControls.h"
#include "TkDCWrappers.h"

COLORREF PinnedColor(int nIndex) {
    return RGB(nIndex * 4, 255 - nIndex * 3, 0x40 + nIndex);
}

LOGFONTW PinnedFont() {
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    return lf;
}

void PinTheme(CTkPaintManager* pPaintManager) {
    for (int i = 0; i < CTkPaintManager::kColorCount; ++i)
        pPaintManager->m_colors[i].m_customValue = PinnedColor(i);
    const LOGFONTW lf = PinnedFont();
    pPaintManager->SetRegularFont(&lf, FALSE);
    pPaintManager->RefreshMetrics();
}

CSize TextExtent(CFont* pFont, LPCWSTR pszText) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CTkFontDC font(&dc, pFont);
    return dc.GetTextExtent(pszText, static_cast<int>(wcslen(pszText)));
}

void ThemeFixture::SetUp() {
    BarLog().clear();
    m_pSite = new CRecordingSite;
    ASSERT_TRUE(m_pSite->CreateHidden());
    m_pCommandBars = new CTkCommandBars;
    m_pCommandBars->AttachToSite(m_pSite);
    m_pBar = new CTkCommandBar;
    m_pBar->SetCommandBars(m_pCommandBars);
    SetBar(kBarTypeNormal, kBarTop);
    ASSERT_TRUE(CreateBarWindow(m_pBar, m_pSite));
    m_pTheme = new CTkDefaultTheme;
    PinTheme(m_pTheme);
    SetHubPaintManager(m_pCommandBars, m_pTheme);
}

void ThemeFixture::TearDown() {
    m_pBar->InternalRelease();
    m_pCommandBars->InternalRelease();
    m_pSite->DestroyWindow();
    m_pTheme->InternalRelease();
}

CTkControlButton* ThemeFixture::AddButton(int nType, LPCWSTR pszCaption, int nStyle) {
    CTkControlButton* pControl =
        IsPopupControlType(nType) ? CTkControlPopup::CreateControlPopup(nType) : new CTkControlButton;
    pControl->SetType(nType);
    pControl->SetCaption(pszCaption);
    pControl->SetStyle(nStyle);
    return Append(pControl);
}

HICON MakeSolidIcon(COLORREF clr) {
    CDC screenDC;
    screenDC.CreateCompatibleDC(nullptr);
    CClientDC desktopDC(nullptr);
    CBitmap colour;
    colour.CreateCompatibleBitmap(&desktopDC, 16, 16);
    {
        CTkCompatibleDC dc(&screenDC, &colour);
        dc.FillSolidRect(0, 0, 16, 16, clr);
    }
    CBitmap mask;
    const WORD zeros[16] = {};
    mask.CreateBitmap(16, 16, 1, 1, zeros);
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.GetSafeHandle()), static_cast<HBITMAP>(colour.GetSafeHandle())};
    return ::CreateIconIndirect(&info);
}
