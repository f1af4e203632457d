#include "views/ViewCaption.h"

#include "TkAuxData.h"
#include "TkColorManager.h"

namespace {

// The colour manager's slots for the caption's border, background and text.
constexpr UINT kBorderColorSlot = COLOR_3DFACE;
constexpr UINT kBackgroundColorSlot = COLOR_3DSHADOW;
constexpr UINT kTextColorSlot = COLOR_WINDOW;
constexpr int kBorderWidth = 4;
constexpr int kIconSize = 16;
constexpr DWORD kCaptionStyle = WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE;

HICON CaptionIcon(UINT iconId) {
    // Shared: the resource's icon stays loaded, and the caption does not own it.
    return static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, kIconSize, kIconSize, LR_SHARED));
}

}  // namespace

BOOL CreateViewCaption(CTkCaption& caption, CWnd* parent, LPCWSTR text, UINT iconId) {
    if (!caption.CreateCaption(parent, text, kCaptionRaisedEdge, kCaptionStyle, CRect(0, 0, 0, 0), 0))
        return FALSE;
    CTkColorManager* colors = GetColorManager();
    caption.SetCaptionColors(colors->GetColor(kBorderColorSlot), colors->GetColor(kBackgroundColorSlot),
                             colors->GetColor(kTextColorSlot));
    StyleViewCaption(caption, nullptr, iconId);
    return TRUE;
}

void StyleViewCaption(CTkCaption& caption, LPCWSTR text, UINT iconId) {
    caption.SetCaptionStyle(kBorderWidth, &GetAuxData()->m_fontBold, text, CaptionIcon(iconId));
}
