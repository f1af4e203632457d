#include "TkSkinObjectHeader.h"

#include "TkDCWrappers.h"
#include "TkPaintRoutines.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <algorithm>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectHeader, CTkSkinObjectFrame)

namespace {

constexpr DWORD kFilterBarVersion = 0x50050;  // 5.80
constexpr int kItemTextLength = 255;

// An item's text, format, image and data, through the wide message or, when the header answers only the
// narrow one, converted.
struct HeaderItem {
    CString strText;
    int fmt = 0;
    int iImage = -1;
    LPARAM lParam = 0;
};

HeaderItem ReadHeaderItem(HWND hWnd, int nIndex) {
    HeaderItem result;
    wchar_t szText[kItemTextLength + 1] = L"";
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE;
    item.pszText = szText;
    item.cchTextMax = kItemTextLength + 1;
    if (::SendMessageW(hWnd, HDM_GETITEMW, nIndex, reinterpret_cast<LPARAM>(&item))) {
        result.strText = item.pszText != nullptr ? item.pszText : L"";
        result.fmt = item.fmt;
        result.iImage = item.iImage;
        result.lParam = item.lParam;
        return result;
    }
    char szTextA[kItemTextLength + 1] = "";
    HDITEMA itemA{};
    itemA.mask = HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE;
    itemA.pszText = szTextA;
    itemA.cchTextMax = kItemTextLength + 1;
    if (::SendMessageW(hWnd, HDM_GETITEMA, nIndex, reinterpret_cast<LPARAM>(&itemA))) {
        result.strText = CString(CStringA(itemA.pszText != nullptr ? itemA.pszText : ""));
        result.fmt = itemA.fmt;
        result.iImage = itemA.iImage;
        result.lParam = itemA.lParam;
    }
    return result;
}

}  // namespace

CTkSkinObjectHeader::CTkSkinObjectHeader() {
    m_strClassName = L"HEADER";
}

int CTkSkinObjectHeader::HitTest(CPoint point, UINT* pnFlags) {
    HDHITTESTINFO info{};
    info.pt = point;
    const auto nItem = static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pnFlags != nullptr)
        *pnFlags = info.flags;
    return nItem;
}

// ---- Painting

void CTkSkinObjectHeader::DrawHeader(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, GetColor(COLOR_BTNFACE));
    CRect rcItems = rcClient;
    if ((GetStyle() & HDS_FILTERBAR) != 0 && m_pManager->GetComCtlVersion() >= kFilterBarVersion) {
        // The system draws the filter row; the skin draws over the item row only.
        CallDefault(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
        rcItems.bottom = rcClient.top + (rcClient.Height() - 1) / 2;
    }
    const CScopedSelectObject font(buffer.GetSafeHdc(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    buffer.SetTextColor(GetColor(COLOR_BTNTEXT));
    buffer.SetBkMode(TRANSPARENT);

    const auto nCount = static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
    int nItemsRight = rcItems.left;
    for (int nOrder = 0; nOrder < nCount; ++nOrder) {
        const auto nIndex = static_cast<int>(SendMessage(HDM_ORDERTOINDEX, nOrder));
        CRect rcItem;
        if (!SendMessage(HDM_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rcItem)))
            continue;
        rcItem.bottom = std::min(rcItem.bottom, rcItems.bottom);
        nItemsRight = std::max<int>(nItemsRight, rcItem.right);
        CRect rcVisible;
        if (!rcVisible.IntersectRect(rcItem, rcClient))
            continue;
        const int nState = nIndex != m_nHotItem ? HIS_NORMAL : m_bPressed ? HIS_PRESSED : HIS_HOT;
        pClass->DrawBackground(&buffer, HP_HEADERITEM, nState, &rcItem);
        DrawHeaderItem(&buffer, nIndex, rcItem, nState);
    }
    if (nItemsRight < rcItems.right) {
        const CRect rcRest(nItemsRight, rcItems.top, rcItems.right, rcItems.bottom);
        pClass->DrawBackground(&buffer, 0, 0, &rcRest);
    }
}

void CTkSkinObjectHeader::DrawHeaderItem(CDC* pDC, int nIndex, const CRect& rcItem, int nState) {
    const HeaderItem item = ReadHeaderItem(m_hWnd, nIndex);
    const BOOL bPressed = nState == HIS_PRESSED;
    if ((item.fmt & HDF_OWNERDRAW) != 0) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_HEADER;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
        dis.itemID = static_cast<UINT>(nIndex);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = bPressed ? ODS_SELECTED : 0;
        dis.hwndItem = m_hWnd;
        dis.hDC = pDC->GetSafeHdc();
        dis.rcItem = rcItem;
        dis.itemData = static_cast<ULONG_PTR>(item.lParam);
        if (::SendMessageW(::GetParent(m_hWnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis)) != 0)
            return;
    }

    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    const int nTextWidth = pDC->GetTextExtent(item.strText).cx;
    int nStart = rcItem.left;
    int nEnd = rcItem.right;
    auto hImageList = reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST));
    const bool bImage = (item.fmt & HDF_IMAGE) != 0 && hImageList != nullptr && item.iImage >= 0 &&
                        item.iImage < ::ImageList_GetImageCount(hImageList);
    if (bImage) {
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(hImageList, &cx, &cy);
        int nMargin = static_cast<int>(SendMessage(HDM_GETBITMAPMARGIN));
        if (nMargin == 0)
            nMargin = 3 * pMetrics->GetEdgeWidth();
        int x = rcItem.left + nMargin;
        if ((item.fmt & HDF_BITMAP_ON_RIGHT) != 0) {
            x = std::max<int>(std::min<int>(rcItem.left + 2 * nMargin + nTextWidth + 9, rcItem.right - cx - 3),
                              rcItem.left + 6);
            nEnd = x + 6;
        } else {
            nStart = x + cx;
        }
        const int y = rcItem.top + (rcItem.Height() - cy) / 2;
        ::ImageList_Draw(hImageList, item.iImage, pDC->GetSafeHdc(), x + (bPressed ? 1 : 0), y, ILD_TRANSPARENT);
    } else if ((item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0) {
        // An image leaves no room for a sort arrow.
        const int x =
            std::max<int>(std::min<int>(rcItem.left + nTextWidth + 6 * pMetrics->GetEdgeWidth() + 9, rcItem.right - 12),
                          rcItem.left + 6);
        const int yMiddle = (rcItem.top + rcItem.bottom - 2) / 2;
        const bool bUp = (item.fmt & HDF_SORTUP) != 0;
        const int yBase = bUp ? yMiddle + 2 : yMiddle - 2;
        const int yApex = bUp ? yMiddle - 2 : yMiddle + 2;
        FillTriangle(pDC, {x, yBase}, {x + 8, yBase}, {x + 4, yApex}, GetColor(COLOR_BTNSHADOW));
        nEnd = x;
    }

    CRect rcText(nStart, rcItem.top, nEnd, rcItem.bottom);
    UINT nFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
    switch (item.fmt & HDF_JUSTIFYMASK) {
        case HDF_RIGHT:
            rcText.left += 6;
            rcText.right -= 9;
            nFormat |= DT_RIGHT;
            break;
        case HDF_CENTER:
            rcText.left += 6;
            rcText.right -= 6;
            nFormat |= DT_CENTER;
            break;
        default:
            rcText.left += 9;
            rcText.right -= 6;
            nFormat |= DT_LEFT;
            break;
    }
    if (rcText.IsRectEmpty() || item.strText.IsEmpty())
        return;
    if (bPressed)
        rcText.OffsetRect(1, 1);
    pDC->DrawText(item.strText, &rcText, nFormat);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectHeader, CTkSkinObjectFrame)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkSkinObjectHeader::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    UINT nFlags = 0;
    m_bPressed = HitTest(point, &nFlags) >= 0 && (nFlags & HHT_ONHEADER) != 0;
    Default();
}

void CTkSkinObjectHeader::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {
    if (m_bPressed) {
        m_bPressed = FALSE;
        Invalidate(FALSE);
    }
    Default();
}

void CTkSkinObjectHeader::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    const int nHot = point == CPoint(-1, -1) ? -1 : HitTest(point);
    if (nHot != m_nHotItem) {
        m_nHotItem = nHot;
        Invalidate(FALSE);
        if (m_nHotItem >= 0)
            TrackMouseLeave();
    }
    Default();
}

LRESULT CTkSkinObjectHeader::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CTkSkinObjectHeader::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawHeader(&dc);
}

LRESULT CTkSkinObjectHeader::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawHeader(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectHeader::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}
