#include "TkSkinObjectToolBar.h"

#include "TkDCWrappers.h"
#include "TkPaintRoutines.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <algorithm>
#include <vector>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectToolBar, CTkSkinObjectFrame)

namespace {

constexpr DWORD kComCtlVersion6 = 0x60000;
constexpr SIZE kDefaultImageSize = {16, 16};
// A drop-down arrow that is not a split button takes this much of the text's and the image's room.
constexpr int kWholeDropDownArrow = 5;
// Paints the brush where the monochrome source is black and leaves the destination where it is white.
constexpr DWORD kRopBrushWhereBlack = 0x00B8074A;

// Whether an image list holds 32-bit images with alpha, drawn without a background colour.
bool IsAlphaImageList(HIMAGELIST hImageList) {
    IMAGEINFO info{};
    if (::ImageList_GetBkColor(hImageList) != CLR_NONE || !::ImageList_GetImageInfo(hImageList, 0, &info))
        return false;
    BITMAP bm{};
    return ::GetObjectW(info.hbmImage, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32;
}

CSize ImageListSize(HIMAGELIST hImageList) {
    int cx = 0;
    int cy = 0;
    if (hImageList == nullptr || !::ImageList_GetIconSize(hImageList, &cx, &cy))
        return kDefaultImageSize;
    return CSize(cx, cy);
}

}  // namespace

CTkSkinObjectToolBar::CTkSkinObjectToolBar() {
    m_strClassName = L"TOOLBAR";
}

LRESULT CTkSkinObjectToolBar::NotifyCustomDraw(NMTBCUSTOMDRAW* pRecord, DWORD dwStage) {
    pRecord->nmcd.hdr.hwndFrom = m_hWnd;
    pRecord->nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    pRecord->nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    pRecord->nmcd.dwDrawStage = dwStage;
    return ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, pRecord->nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(pRecord));
}

CString CTkSkinObjectToolBar::GetButtonText(int nCommand) {
    // The message takes no buffer size: the length is asked first.
    const auto nLength = static_cast<int>(SendMessage(TB_GETBUTTONTEXTW, nCommand, 0));
    if (nLength > 0) {
        std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1, L'\0');
        SendMessage(TB_GETBUTTONTEXTW, nCommand, reinterpret_cast<LPARAM>(text.data()));
        return CString(text.data());
    }
    const LRESULT nFormat = SendMessage(WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(::GetParent(m_hWnd)), NF_REQUERY);
    if (nFormat != NFR_ANSI)
        return CString();
    const auto nLengthA = static_cast<int>(SendMessage(TB_GETBUTTONTEXTA, nCommand, 0));
    if (nLengthA <= 0)
        return CString();
    std::vector<char> textA(static_cast<size_t>(nLengthA) + 1, '\0');
    SendMessage(TB_GETBUTTONTEXTA, nCommand, reinterpret_cast<LPARAM>(textA.data()));
    return CString(CStringA(textA.data()));
}

// ---- Painting

void CTkSkinObjectToolBar::DrawToolBar(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, GetColor(COLOR_BTNFACE));
    const CScopedSelectObject font(buffer.GetSafeHdc(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    NMTBCUSTOMDRAW record{};
    record.nmcd.hdc = buffer.GetSafeHdc();
    record.nmcd.rc = rcClient;
    const LRESULT nAnswer = NotifyCustomDraw(&record, CDDS_PREPAINT);
    if ((nAnswer & CDRF_SKIPDEFAULT) == 0) {
        CTkSkinManagerClass* pClass = GetSkinClass();
        const auto nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
        for (int nIndex = 0; nIndex < nCount; ++nIndex) {
            TBBUTTON button{};
            if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)) ||
                (button.fsState & TBSTATE_HIDDEN) != 0)
                continue;
            if ((button.fsStyle & BTNS_SEP) == 0) {
                DrawToolBarButton(&buffer, nIndex);
                continue;
            }
            CRect rcItem;
            if (pClass != nullptr && SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rcItem)))
                pClass->DrawBackground(&buffer, TP_SEPARATOR, 0, &rcItem);
        }
    }
    if ((nAnswer & CDRF_NOTIFYPOSTPAINT) != 0) {
        NMTBCUSTOMDRAW post{};
        post.nmcd.hdc = buffer.GetSafeHdc();
        post.nmcd.rc = rcClient;
        NotifyCustomDraw(&post, CDDS_POSTPAINT);
    }
}

void CTkSkinObjectToolBar::DrawToolBarButton(CDC* pDC, int nIndex) {
    TBBUTTON button{};
    CRect rcButton;
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)) ||
        !SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rcButton)))
        return;
    const BOOL bHot = SendMessage(TB_GETHOTITEM) == nIndex;
    NMTBCUSTOMDRAW record{};
    record.nmcd.hdc = pDC->GetSafeHdc();
    record.nmcd.rc = rcButton;
    record.nmcd.dwItemSpec = static_cast<DWORD_PTR>(button.idCommand);
    record.nmcd.uItemState = (bHot ? CDIS_HOT : 0) | ((button.fsState & TBSTATE_PRESSED) != 0 ? CDIS_SELECTED : 0) |
                             ((button.fsState & TBSTATE_CHECKED) != 0 ? CDIS_CHECKED : 0) |
                             ((button.fsState & TBSTATE_ENABLED) == 0 ? CDIS_DISABLED : 0);
    record.nmcd.lItemlParam = static_cast<LPARAM>(button.dwData);
    const LRESULT nAnswer = NotifyCustomDraw(&record, CDDS_ITEMPREPAINT);
    // The parent may have changed the state it was shown.
    const UINT nItemState = record.nmcd.uItemState;
    const BOOL bPressed = (nItemState & CDIS_SELECTED) != 0;
    const BOOL bChecked = (nItemState & CDIS_CHECKED) != 0;
    const BOOL bEnabled = (nItemState & CDIS_DISABLED) == 0;

    if ((nAnswer & CDRF_SKIPDEFAULT) == 0) {
        const CTkSkinManagerMetrics* pMetrics = GetMetrics();
        const int cxEdge = pMetrics->GetEdgeWidth();
        const int cyEdge = pMetrics->GetEdgeHeight();
        const DWORD dwStyle = GetStyle();
        const BOOL bList = (dwStyle & TBSTYLE_LIST) != 0;
        const bool bDrawArrows = (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0;
        const bool bDropDown = (button.fsStyle & BTNS_DROPDOWN) != 0;
        const bool bWholeDropDown = (button.fsStyle & BTNS_WHOLEDROPDOWN) != 0;
        const bool bSplit = bDropDown && bDrawArrows && !bWholeDropDown;
        const bool bArrow = (bDropDown && bDrawArrows) || bWholeDropDown;
        const int cxArrowPart = ::GetSystemMetrics(SM_CYMENUCHECK);
        const BOOL bOffset = (bPressed || bChecked) && (nAnswer & TBCDRF_NOOFFSET) == 0;

        CRect rcInner = rcButton;
        rcInner.DeflateRect(cxEdge, cyEdge);
        const int nTextWidth = rcInner.Width() - (bSplit ? cxArrowPart : bArrow ? kWholeDropDownArrow : 0);
        const int nImageRoom = rcInner.Width() - (bArrow ? kWholeDropDownArrow : 0);
        const auto dwPadding = static_cast<DWORD>(SendMessage(TB_GETPADDING));
        const int cxPadding = LOWORD(dwPadding);
        const int cyPadding = HIWORD(dwPadding);
        const CSize szImage = ImageListSize(reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST)));
        const int yImage = std::max((cyPadding - 2 * cyEdge) / 2, 0);
        int xImage = (nImageRoom - szImage.cx) / 2;
        if (bList)
            xImage = cxPadding / 2;
        else if (bSplit)
            xImage = (2 * cxEdge + nImageRoom - szImage.cx - cxArrowPart) / 2;

        if ((nAnswer & TBCDRF_NOEDGES) == 0) {
            if (CTkSkinManagerClass* pClass = GetSkinClass()) {
                const int nState = !bEnabled  ? TS_DISABLED
                                   : bPressed ? TS_PRESSED
                                   : bChecked ? TS_CHECKED
                                   : bHot     ? TS_HOT
                                              : TS_NORMAL;
                if (bSplit) {
                    CRect rcDropDown = rcButton;
                    rcDropDown.left = rcButton.right - cxArrowPart;
                    CRect rcMain = rcButton;
                    rcMain.right = rcDropDown.left;
                    pClass->DrawBackground(pDC, TP_SPLITBUTTONDROPDOWN, nState, &rcDropDown);
                    pClass->DrawBackground(pDC, TP_SPLITBUTTON, nState, &rcMain);
                } else {
                    pClass->DrawBackground(pDC, TP_BUTTON, nState, &rcButton);
                }
            }
        }

        const BOOL bImageShown = !(bList && button.iBitmap == I_IMAGENONE && (button.fsStyle & BTNS_AUTOSIZE) != 0);
        if (bImageShown) {
            CPoint ptImage(rcInner.left + xImage, rcInner.top + yImage);
            if (bList && szImage.cy + cyPadding >= rcButton.Height())
                ptImage.y -= cyEdge;
            if (bList && szImage.cx + cxPadding >= rcButton.Width())
                ptImage.x -= cxEdge;
            if (bOffset)
                ptImage.Offset(1, 1);
            DrawToolBarButtonImage(pDC, ptImage.x, ptImage.y, button, nItemState);
        }

        const CString strText = GetButtonText(button.idCommand);
        CRect rcText(rcInner.left, rcInner.top, rcInner.left + nTextWidth, rcInner.bottom);
        if (bList) {
            if (bImageShown)
                rcText.left += 2 * cxEdge + szImage.cx;
        } else {
            rcText.top += szImage.cy + yImage;
        }
        if (bOffset)
            rcText.OffsetRect(1, bList ? 1 : 0);
        rcText.OffsetRect(1, 1);
        if (!strText.IsEmpty() && rcText.Width() > 0) {
            const bool bOneRow = SendMessage(TB_GETTEXTROWS) < 2;
            UINT nFormat = DT_END_ELLIPSIS;
            if (bList)
                nFormat |= DT_SINGLELINE | DT_VCENTER | (bOneRow ? 0 : DT_WORDBREAK | DT_EDITCONTROL);
            else
                nFormat |= DT_CENTER | (bOneRow ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL);
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
            pDC->DrawText(strText, &rcText, nFormat);
        }
        if (bArrow && !bSplit) {
            const int yMiddle = rcButton.CenterPoint().y;
            const int nShift = bPressed ? 1 : 0;
            FillTriangle(pDC, {rcButton.right - 8 + nShift, yMiddle - 1 + nShift},
                         {rcButton.right - 4 + nShift, yMiddle - 1 + nShift},
                         {rcButton.right - 6 + nShift, yMiddle + 1 + nShift}, GetColor(COLOR_BTNTEXT));
        }
    }
    if ((nAnswer & CDRF_NOTIFYPOSTPAINT) != 0)
        NotifyCustomDraw(&record, CDDS_ITEMPOSTPAINT);
}

void CTkSkinObjectToolBar::DrawToolBarButtonImage(CDC* pDC, int x, int y, const TBBUTTON& button, UINT nItemState) {
    auto hNormal = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    HIMAGELIST hImageList = hNormal;
    bool bDrawDisabled = false;
    if ((nItemState & (CDIS_HOT | CDIS_CHECKED)) != 0) {
        if (auto hHot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST)))
            hImageList = hHot;
    } else if ((nItemState & CDIS_DISABLED) != 0) {
        if (auto hDisabled = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETDISABLEDIMAGELIST)))
            hImageList = hDisabled;
        else
            bDrawDisabled = true;
    }
    if (hImageList == nullptr || button.iBitmap == -1)
        return;
    if (bDrawDisabled) {
        DrawDisabledImage(pDC, hImageList, button.iBitmap, x, y);
        return;
    }
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = IMAGELISTDRAWPARAMS_V3_SIZE;
    params.himl = hImageList;
    params.i = button.iBitmap;
    params.hdcDst = pDC->GetSafeHdc();
    params.x = x;
    params.y = y;
    params.rgbBk = GetColor(COLOR_BTNFACE);
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    ::ImageList_DrawIndirect(&params);
}

void CTkSkinObjectToolBar::DrawDisabledImage(CDC* pDC, HIMAGELIST hImageList, int nImage, int x, int y) {
    if (m_pManager->GetComCtlVersion() >= kComCtlVersion6 && IsAlphaImageList(hImageList)) {
        IMAGELISTDRAWPARAMS params{};
        params.cbSize = sizeof(params);
        params.himl = hImageList;
        params.i = nImage;
        params.hdcDst = pDC->GetSafeHdc();
        params.x = x;
        params.y = y;
        params.fStyle = ILD_TRANSPARENT;
        params.fState = ILS_SATURATE;
        ::ImageList_DrawIndirect(&params);
        return;
    }
    // Embossed: the image's shape, less its lightest pixels, in highlight one pixel down and right, then in
    // shadow over it.
    const CSize size = ImageListSize(hImageList);
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    const COLORREF clrHighlight = GetColor(COLOR_BTNHIGHLIGHT);
    CDC dcMono;
    dcMono.CreateCompatibleDC(nullptr);
    CBitmap bmMono;
    bmMono.CreateBitmap(size.cx + 1, size.cy + 1, 1, 1, nullptr);
    const CScopedSelectObject selectMono(dcMono.GetSafeHdc(), bmMono.GetSafeHandle());
    dcMono.PatBlt(0, 0, size.cx + 1, size.cy + 1, WHITENESS);
    CScopedMemDC dcImage(size.cx, size.cy);
    // Pixels of a colour DC's background colour turn white in a monochrome copy.
    ::ImageList_DrawEx(hImageList, nImage, dcImage.GetSafeHdc(), 0, 0, 0, 0, clrFace, CLR_NONE, ILD_NORMAL);
    dcImage.SetBkColor(clrFace);
    dcMono.BitBlt(0, 0, size.cx, size.cy, &dcImage, 0, 0, SRCCOPY);
    ::ImageList_DrawEx(hImageList, nImage, dcImage.GetSafeHdc(), 0, 0, 0, 0, clrHighlight, CLR_NONE, ILD_NORMAL);
    dcImage.SetBkColor(clrHighlight);
    dcMono.BitBlt(0, 0, size.cx, size.cy, &dcImage, 0, 0, SRCPAINT);

    const CScopedSaveDC save(pDC->GetSafeHdc());
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    ::SelectObject(pDC->GetSafeHdc(), GetMetrics()->GetBrush(COLOR_BTNHIGHLIGHT));
    pDC->BitBlt(x + 1, y + 1, size.cx, size.cy, &dcMono, 0, 0, kRopBrushWhereBlack);
    ::SelectObject(pDC->GetSafeHdc(), GetMetrics()->GetBrush(COLOR_BTNSHADOW));
    pDC->BitBlt(x, y, size.cx, size.cy, &dcMono, 0, 0, kRopBrushWhereBlack);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectToolBar, CTkSkinObjectFrame)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkSkinObjectToolBar::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawToolBar(&dc);
}

LRESULT CTkSkinObjectToolBar::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawToolBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectToolBar::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}
