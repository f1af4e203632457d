#include "TkRichEditToolTip.h"

#include <cwchar>

namespace {

// Colour and plain effects are the context's; size and face follow when the font can be read.
constexpr DWORD kCharFormatMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
constexpr int kTwipsPerInch = 1440;

}  // namespace

CSize CTkToolTipContext::CRichEditToolTip::CalcContentSize(TOOLITEM& tool) {
    if (m_render.GetTextServices() == nullptr || tool.strText.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CFont* pFont = m_pContext->GetFont();
    CScopedSelectObject font(dc.GetSafeHdc(), pFont->GetSafeHandle());

    m_render.SetText(nullptr);
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = kCharFormatMask;
    format.crTextColor = m_pContext->GetTextColor();
    LOGFONTW logFont = {};
    if (pFont->GetLogFont(&logFont) != 0) {
        format.dwMask |= CFM_SIZE | CFM_FACE;
        format.yHeight = -::MulDiv(logFont.lfHeight, kTwipsPerInch, dc.GetDeviceCaps(LOGPIXELSY));
        std::wcsncpy(format.szFaceName, logFont.lfFaceName, LF_FACESIZE - 1);
    }
    m_render.SetDefaultCharFormat(&format);
    m_render.SetText(tool.strText);
    return GetWindowSize(m_render.GetTextExtent(&dc, GetAvailableWidth()));
}

void CTkToolTipContext::CRichEditToolTip::DrawContent(CDC* pDC, TOOLITEM&, CRect rc) {
    const CRect rcContent = GetContentRect(rc);
    m_render.Draw(pDC, &rcContent);
}
