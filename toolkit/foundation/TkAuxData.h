#pragma once
#include "mfc.h"

// The toolkit's shared system look: a copy of forty colour-manager colours, the small-icon and menu
// metrics, seven cursors, ten ready-made fonts and the Windows-version flags. The caption bar takes its
// font and icon size here, and the views take the bold font for their caption strips.
//
// GetAuxData builds the one instance on first use; it lives until the process exits and nothing
// rebuilds it (BuildFonts may be called again by whoever wants other faces). UI thread only; the
// first use takes no lock.

// Fills the caller's record with SPI_GETNONCLIENTMETRICS. The size is the record without its padded-
// border member (500), which every Windows version accepts; the SDK's sizeof is 504 here.
void MakeNonClientMetrics(NONCLIENTMETRICSW& metrics);

constexpr UINT kNonClientMetricsSize = 500;

class CTkAuxData {
public:
    static constexpr int kColorCount = 40;
    static constexpr int kCursorCount = 7;

    // Reads the version flags, the colours (after a colour-manager refresh), the metrics, the cursors
    // and the fonts, in that order; always completes.
    CTkAuxData();
    virtual ~CTkAuxData() = default;
    CTkAuxData(const CTkAuxData&) = delete;
    CTkAuxData& operator=(const CTkAuxData&) = delete;

    // ---- Fonts
    // Deletes the ten fonts and builds them again. pszFace, when installed, replaces the face of the
    // menu-based, status and small-caption fonts; pszVerticalFace, when installed, that of the two
    // vertical fonts. NULL picks the defaults (Tahoma when preferred; Arial for vertical text unless
    // the others are in Tahoma). A face that is not installed changes nothing. FALSE when a font cannot
    // be created: the building stops there and the later fonts stay empty.
    BOOL BuildFonts(LPCWSTR pszFace, LPCWSTR pszVerticalFace);
    // Deletes font's object and attaches a font made from logFont with each argument that is not -1
    // (0xFF for the underline byte) put in; FALSE when GDI makes no font.
    static BOOL MakeFont(const LOGFONTW& logFont, CFont& font, LONG nWeight = -1, BYTE bUnderline = 0xFF,
                         LONG nOrientation = -1, LONG nEscapement = -1);
    static BOOL HasFontFace(LPCWSTR pszFace);

    // ---- Colours: colour-manager indexes 15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27,
    // 28, 9, 19 (3D face ... inactive caption text), then the toolkit colours 30..49.
    COLORREF m_colors[kColorCount] = {};

    // ---- Cursors: toolkit cursors 9308, 9309, 9311, the system hand (else toolkit cursor 9973), toolkit
    // cursors 9970, 9971, the system size-all. Loaded third, first, second, then the rest in order,
    // stopping at the first that fails; the program carries none of the toolkit cursors, so all stay
    // NULL. Shared system cursors, never destroyed.
    HCURSOR m_cursors[kCursorCount] = {};

    // ---- Metrics (pixels)
    int m_cxSmallIcon = 0;
    int m_cySmallIcon = 0;
    int m_cxFixedCell = 18;
    int m_cyFixedCell = 18;
    int m_cxHThumb = 0;
    int m_cyVThumb = 0;
    int m_cyMenu = 0;

    // ---- Fonts
    CFont m_fontNormal;  // the menu font
    CFont m_fontBold;    // the views' caption font
    CFont m_fontUnderline;
    CFont m_fontVert;  // text read from bottom to top: escapement 2700, orientation 900
    CFont m_fontVertBold;
    CFont m_fontIconTitle;
    CFont m_fontIconTitleBold;
    CFont m_fontMarlett;  // glyph font at the icon-title height
    CFont m_fontStatus;
    CFont m_fontSmallCaption;

    // ---- The system
    BOOL m_bWin95 = FALSE;
    BOOL m_bWin98 = FALSE;
    BOOL m_bWinNT4 = FALSE;
    BOOL m_bWin2000 = FALSE;
    BOOL m_bWinXP = FALSE;
    BOOL m_bPreferTahoma = FALSE;  // read by BuildFonts; nothing in the program sets it
    int m_nComCtlVersion = -1;     // major << 16 | minor

private:
    void LoadCursors();
};

// The process-wide instance, built on the first call.
CTkAuxData* GetAuxData();
