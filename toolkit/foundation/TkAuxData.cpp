#include "TkAuxData.h"

#include "OSVersionInfo.h"
#include "TkColorManager.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"

namespace {

// The system colours copied first, in this order (3D face ... inactive caption text); the toolkit's
// colours 30..49 follow them.
constexpr UINT kSystemColorSources[] = {COLOR_3DFACE,
                                        COLOR_3DSHADOW,
                                        COLOR_3DDKSHADOW,
                                        COLOR_3DHIGHLIGHT,
                                        COLOR_3DLIGHT,
                                        COLOR_BTNTEXT,
                                        COLOR_GRAYTEXT,
                                        COLOR_HIGHLIGHT,
                                        COLOR_HIGHLIGHTTEXT,
                                        COLOR_MENU,
                                        COLOR_MENUTEXT,
                                        COLOR_WINDOW,
                                        COLOR_WINDOWFRAME,
                                        COLOR_WINDOWTEXT,
                                        COLOR_ACTIVECAPTION,
                                        COLOR_INACTIVECAPTION,
                                        COLOR_GRADIENTACTIVECAPTION,
                                        COLOR_GRADIENTINACTIVECAPTION,
                                        COLOR_CAPTIONTEXT,
                                        COLOR_INACTIVECAPTIONTEXT};
constexpr UINT kFirstToolkitColorSource = 30;

// Where one cursor comes from: a system cursor first when there is one, else (or when that fails) a
// toolkit cursor resource.
struct CursorSource {
    LPCWSTR pszSystemCursor;
    UINT nToolkitId;
};

const CursorSource kCursorSources[CTkAuxData::kCursorCount] = {{nullptr, 9308},  {nullptr, 9309}, {nullptr, 9311},
                                                               {IDC_HAND, 9973}, {nullptr, 9970}, {nullptr, 9971},
                                                               {IDC_SIZEALL, 0}};

// The third cursor is loaded first: when even it is missing the toolkit has no cursors at all, and the
// others are not tried.
constexpr int kCursorLoadOrder[CTkAuxData::kCursorCount] = {2, 0, 1, 3, 4, 5, 6};

constexpr LONG kBold = FW_BOLD;
constexpr LONG kBottomToTop = 2700;  // escapement of vertical text, tenths of a degree
constexpr LONG kVerticalOrientation = 900;

void SetFaceName(LOGFONTW& logFont, LPCWSTR pszFace) {
    ::lstrcpynW(logFont.lfFaceName, pszFace, LF_FACESIZE);
}

}  // namespace

void MakeNonClientMetrics(NONCLIENTMETRICSW& metrics) {
    metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
}

CTkAuxData::CTkAuxData() {
    const OSVersionInfo* pVersion = GetOSVersionInfo();
    m_bWin95 = pVersion->IsWindows95();
    m_bWin98 = pVersion->IsWindows98();
    m_bWinNT4 = pVersion->IsWindowsNT4();
    m_bWin2000 = pVersion->IsWindows2000();
    m_bWinXP = pVersion->IsWindowsXP();
    m_nComCtlVersion = static_cast<int>(OSVersionInfo::GetComCtlVersion());

    RefreshColorManager();
    const CTkColorManager* pColors = GetColorManager();
    int nColor = 0;
    for (UINT nSource : kSystemColorSources)
        m_colors[nColor++] = pColors->GetColor(nSource);
    for (UINT nSource = kFirstToolkitColorSource; nColor < kColorCount; ++nSource)
        m_colors[nColor++] = pColors->GetColor(nSource);

    m_cxSmallIcon = ::GetSystemMetrics(SM_CXSMICON);
    m_cySmallIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cyMenu = ::GetSystemMetrics(SM_CYMENU);

    LoadCursors();
    BuildFonts(nullptr, nullptr);
}

void CTkAuxData::LoadCursors() {
    for (int nCursor : kCursorLoadOrder) {
        const CursorSource& source = kCursorSources[nCursor];
        HCURSOR hCursor = source.pszSystemCursor != nullptr ? ::LoadCursorW(nullptr, source.pszSystemCursor) : nullptr;
        if (hCursor == nullptr && source.nToolkitId != 0)
            hCursor = GetResourceManager()->LoadCursor(source.nToolkitId);
        if (hCursor == nullptr)
            return;
        m_cursors[nCursor] = hCursor;
    }
}

BOOL CTkAuxData::BuildFonts(LPCWSTR pszFace, LPCWSTR pszVerticalFace) {
    CFont* const fonts[] = {&m_fontNormal,   &m_fontBold,        &m_fontUnderline,     &m_fontVert,
                            &m_fontVertBold, &m_fontIconTitle,   &m_fontIconTitleBold, &m_fontMarlett,
                            &m_fontStatus,   &m_fontSmallCaption};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();

    NONCLIENTMETRICSW metrics;
    MakeNonClientMetrics(metrics);
    LOGFONTW logFont = metrics.lfMenuFont;

    if (pszFace != nullptr) {
        if (HasFontFace(pszFace)) {
            SetFaceName(logFont, pszFace);
            SetFaceName(metrics.lfStatusFont, pszFace);
            SetFaceName(metrics.lfSmCaptionFont, pszFace);
        }
    } else if (m_bPreferTahoma && metrics.lfMenuFont.lfCharSet <= 2 && HasFontFace(L"Tahoma")) {
        SetFaceName(logFont, L"Tahoma");
    }
    if (!MakeFont(logFont, m_fontNormal) || !MakeFont(logFont, m_fontBold, kBold) ||
        !MakeFont(logFont, m_fontUnderline, -1, TRUE))
        return FALSE;

    // Tahoma draws well on its side; any other face leaves vertical text to Arial where it exists.
    if (pszVerticalFace != nullptr) {
        if (HasFontFace(pszVerticalFace))
            SetFaceName(logFont, pszVerticalFace);
    } else if (::lstrcmpiW(logFont.lfFaceName, L"Tahoma") != 0 && HasFontFace(L"Arial")) {
        SetFaceName(logFont, L"Arial");
    }
    if (!MakeFont(logFont, m_fontVert, -1, 0xFF, kVerticalOrientation, kBottomToTop) ||
        !MakeFont(logFont, m_fontVertBold, kBold, 0xFF, kVerticalOrientation, kBottomToTop))
        return FALSE;

    LOGFONTW iconTitle = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
    if (!MakeFont(iconTitle, m_fontIconTitle) || !MakeFont(iconTitle, m_fontIconTitleBold, kBold) ||
        !MakeFont(metrics.lfStatusFont, m_fontStatus) || !MakeFont(metrics.lfSmCaptionFont, m_fontSmallCaption))
        return FALSE;

    LOGFONTW symbol = {};
    symbol.lfHeight = iconTitle.lfHeight;
    symbol.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(symbol, L"Marlett");
    return MakeFont(symbol, m_fontMarlett);
}

BOOL CTkAuxData::MakeFont(const LOGFONTW& logFont, CFont& font, LONG nWeight, BYTE bUnderline, LONG nOrientation,
                          LONG nEscapement) {
    font.DeleteObject();
    LOGFONTW made = logFont;
    if (nWeight != -1)
        made.lfWeight = nWeight;
    if (bUnderline != 0xFF)
        made.lfUnderline = bUnderline;
    if (nOrientation != -1)
        made.lfOrientation = nOrientation;
    if (nEscapement != -1)
        made.lfEscapement = nEscapement;
    return font.CreateFontIndirect(&made);
}

BOOL CTkAuxData::HasFontFace(LPCWSTR pszFace) {
    return DoesFontFaceExist(pszFace);
}

CTkAuxData* GetAuxData() {
    static CTkAuxData s_auxData;
    return &s_auxData;
}
