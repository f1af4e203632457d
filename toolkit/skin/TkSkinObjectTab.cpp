#include "TkSkinObjectTab.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectTab, CTkSkinObjectFrame)

namespace {

constexpr DWORD kTabsOnTop = 0;
constexpr DWORD kTabsAtBottom = TCS_BOTTOM;
constexpr DWORD kTabsOnLeft = TCS_VERTICAL;
constexpr DWORD kTabsOnRight = TCS_VERTICAL | TCS_RIGHT;
constexpr int kCaptionLength = 255;

}  // namespace

CTkSkinObjectTab::CTkSkinObjectTab() {
    m_strClassName = L"TAB";
}

CRect CTkSkinObjectTab::GetItemRect(int nItem) {
    CRect rc(0, 0, 0, 0);
    SendMessage(TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

CString CTkSkinObjectTab::GetItemText(int nItem) {
    wchar_t szText[kCaptionLength + 1] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = kCaptionLength + 1;
    if (SendMessage(TCM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item)))
        return CString(item.pszText);
    char szTextA[kCaptionLength + 1] = "";
    TCITEMA itemA{};
    itemA.mask = TCIF_TEXT;
    itemA.pszText = szTextA;
    itemA.cchTextMax = kCaptionLength + 1;
    if (SendMessage(TCM_GETITEMA, nItem, reinterpret_cast<LPARAM>(&itemA)))
        return CString(CStringA(itemA.pszText));
    return CString();
}

CRect CTkSkinObjectTab::GetTabStripRect() {
    CRect rc;
    GetClientRect(&rc);
    const auto nSelected = static_cast<int>(SendMessage(TCM_GETCURSEL));
    const CRect rcSelected = GetItemRect(nSelected >= 0 ? nSelected : 0);
    switch (GetOrientation()) {
        case kTabsAtBottom:
            rc.top = rcSelected.top;
            break;
        case kTabsOnLeft:
            rc.right = rcSelected.right;
            break;
        case kTabsOnRight:
            rc.left = rcSelected.left;
            break;
        default: {
            const auto nRows = static_cast<int>(SendMessage(TCM_GETROWCOUNT));
            rc.bottom = nRows * (rcSelected.Height() + rc.top) + GetMetrics()->GetEdgeHeight();
            break;
        }
    }
    return rc;
}

void CTkSkinObjectTab::DrawTabBackground(CDC* pDC, const CRect& rc) {
    FillCtlColorBackground(pDC, rc, WM_CTLCOLORSTATIC);
    if ((GetStyle() & TCS_BUTTONS) != 0)
        return;
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    const CRect rcStrip = GetTabStripRect();
    CRect rcPane = rc;
    switch (GetOrientation()) {
        case kTabsAtBottom:
            rcPane.bottom = rcStrip.top;
            break;
        case kTabsOnLeft:
            rcPane.left = rcStrip.right;
            break;
        case kTabsOnRight:
            rcPane.right = rcStrip.left;
            break;
        default:
            rcPane.top = rcStrip.bottom;
            break;
    }
    pClass->DrawBackground(pDC, TABP_PANE, 0, &rcPane);
}

void CTkSkinObjectTab::DrawTabItems(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    // The selected tab reaches 2 pixels into the pane.
    CRect rcBuffer = GetTabStripRect();
    switch (GetOrientation()) {
        case kTabsAtBottom:
            rcBuffer.top -= 2;
            break;
        case kTabsOnLeft:
            rcBuffer.right += 2;
            break;
        case kTabsOnRight:
            rcBuffer.left -= 2;
            break;
        default:
            rcBuffer.bottom += 2;
            break;
    }
    rcBuffer.IntersectRect(rcBuffer, rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcBuffer);
    DrawTabBackground(&buffer, rcClient);
    const CScopedSelectObject font(buffer.GetSafeHdc(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    buffer.SetBkMode(TRANSPARENT);
    const auto nCount = static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
    for (int nItem = 0; nItem < nCount; ++nItem)
        DrawTabItem(&buffer, nItem);
    const auto nSelected = static_cast<int>(SendMessage(TCM_GETCURSEL));
    if (nSelected >= 0 && nSelected < nCount)
        DrawTabItem(&buffer, nSelected);
}

void CTkSkinObjectTab::DrawTabItem(CDC* pDC, int nItem) {
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcItem = GetItemRect(nItem);
    CRect rcVisible;
    if (!rcVisible.IntersectRect(rcItem, rcClient))
        return;
    const DWORD dwStyle = GetStyle();
    const BOOL bButtons = (dwStyle & TCS_BUTTONS) != 0;
    const BOOL bSelected = SendMessage(TCM_GETCURSEL) == nItem;
    const auto nCount = static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
    CTkSkinManagerClass* pClass = bButtons ? m_pManager->GetSkinClass(L"BUTTON") : GetSkinClass();
    if (pClass == nullptr)
        return;
    int nPart = TABP_TOPTABITEM;
    int nState = bSelected ? TIS_SELECTED : nItem == m_nHotItem ? TIS_HOT : TIS_NORMAL;
    if (bButtons) {
        nPart = BP_PUSHBUTTON;
        nState = bSelected ? PBS_PRESSED : PBS_NORMAL;
    } else if (nItem == 0) {
        // A single tab is the first one, though it is also the last.
        nPart = TABP_TOPTABITEMLEFTEDGE;
    } else if (nItem == nCount - 1 && !bSelected) {
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    }
    CRect rcBackground = rcItem;
    if (bSelected)
        rcBackground.InflateRect(2, 2);
    pClass->DrawBackground(pDC, nPart, nState, &rcBackground);

    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    const int cxEdge = pMetrics->GetEdgeWidth();
    const int cyEdge = pMetrics->GetEdgeHeight();
    const DWORD dwOrientation = GetOrientation();
    const BOOL bVertical = (dwOrientation & TCS_VERTICAL) != 0;
    CRect rcText = rcItem;
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    auto hImageList = reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST));
    if (hImageList != nullptr && SendMessage(TCM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item)) &&
        item.iImage >= 0) {
        CPoint pt = rcItem.TopLeft();
        switch (dwOrientation) {
            case kTabsAtBottom:
                pt.Offset(2 * cxEdge, 1);
                break;
            case kTabsOnLeft:
                pt.Offset(cxEdge, 2 * cyEdge);
                break;
            case kTabsOnRight:
                pt.Offset(1, 2 * cyEdge);
                break;
            default:
                pt.Offset(2 * cxEdge, cyEdge);
                break;
        }
        ::ImageList_Draw(hImageList, item.iImage, pDC->GetSafeHdc(), pt.x, pt.y, ILD_TRANSPARENT);
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(hImageList, &cx, &cy);
        if (bVertical)
            rcText.top += cy + cyEdge;
        else
            rcText.left += cx + cxEdge;
    }

    const CString strText = GetItemText(nItem);
    const auto nUIState = static_cast<UINT>(SendMessage(WM_QUERYUISTATE));
    if (!strText.IsEmpty()) {
        pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        UINT nFormat = DT_SINGLELINE | DT_NOCLIP;
        if (bVertical) {
            const CSize extent = pDC->GetTextExtent(strText);
            rcText.left = rcText.right - (rcText.Width() - extent.cy + 1) / 2;
            rcText.top = rcText.top + (rcText.Height() - extent.cx + 1) / 2;
        } else {
            nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
            if ((nUIState & UISF_HIDEACCEL) != 0)
                nFormat |= DT_HIDEPREFIX;
            if (bButtons)
                rcText.top -= bSelected ? 0 : 1;
            else
                rcText.top += bSelected ? -2 : 1;
            if (nItem == 0)
                rcText.right -= 3;
        }
        pClass->DrawText(pDC, nPart, nState, strText, nFormat, &rcText);
    }

    if (bSelected && ::GetFocus() == m_hWnd && (nUIState & UISF_HIDEFOCUS) == 0) {
        CRect rcFocus = rcItem;
        rcFocus.DeflateRect(cxEdge / 2, cyEdge / 2);
        pDC->DrawFocusRect(&rcFocus);
    }
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectTab, CTkSkinObjectFrame)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

BOOL CTkSkinObjectTab::OnEraseBkgnd(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    DrawTabBackground(&buffer, rcClient);
    return TRUE;
}

void CTkSkinObjectTab::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
        return;
    // BeginPaint has had the background erased; a supplied DC has not.
    if (dc.IsSupplied()) {
        CRect rcClient;
        GetClientRect(&rcClient);
        CTkBufferDC buffer(dc.GetSafeHdc(), rcClient);
        DrawTabBackground(&buffer, rcClient);
    }
    DrawTabItems(&dc);
}

LRESULT CTkSkinObjectTab::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/) {
    DrawTabItems(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

void CTkSkinObjectTab::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    int nHot = -1;
    const auto nCount = static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
    for (int nItem = 0; nItem < nCount && nHot < 0; ++nItem) {
        if (GetItemRect(nItem).PtInRect(point))
            nHot = nItem;
    }
    if (nHot == m_nHotItem)
        return;
    m_nHotItem = nHot;
    // Only the tabs change.
    const CRect rcStrip = GetTabStripRect();
    InvalidateRect(&rcStrip, FALSE);
    if (m_nHotItem >= 0)
        TrackMouseLeave();
}

LRESULT CTkSkinObjectTab::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}
