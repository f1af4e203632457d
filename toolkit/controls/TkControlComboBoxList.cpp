#include "TkControlComboBoxList.h"

#include "TkCommandBars.h"
#include "TkControlComboBox.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

#include <memory>
#include <vector>

namespace {

// The frame colour of the list (outside) and the gap inside it.
constexpr int kListFrameColor = 43;
constexpr int kListHeightExtra = 4;
constexpr int kIconRowExtra = 4;
// The id the list box has while it is a child of the frame, by which the frame finds it for
// WM_MEASUREITEM.
constexpr UINT kListBoxId = 0xE8F0;
constexpr DWORD kRightToLeftExStyles = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

}  // namespace

IMPLEMENT_SERIAL(CTkControlComboBoxPopupBar, CTkPopupBar, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkControlComboBoxList, CTkControlComboBoxPopupBar, VERSIONABLE_SCHEMA | 33)

CTkControlComboBoxPopupBar::CTkControlComboBoxPopupBar() = default;

BEGIN_MESSAGE_MAP(CTkControlComboBoxList, CTkControlComboBoxPopupBar)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_NCPAINT()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_NCACTIVATE()
    ON_WM_NCCREATE()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CTkControlComboBoxList::CTkControlComboBoxList() {
    m_nPosition = kComboListPosition;
}

CTkControlComboBoxList* CTkControlComboBoxList::CreateComboBoxList(CTkCommandBars* pCommandBars, DWORD dwListStyle,
                                                                   BOOL bShowIcons) {
    auto* pList = new CTkControlComboBoxList;
    pList->SetCommandBars(pCommandBars);
    pList->m_dwListStyle = dwListStyle;
    pList->m_bShowIcons = bShowIcons;
    pList->CreatePopupWindow();
    return pList;
}

int CTkControlComboBoxList::GetVisibleRows(int nDropDownItemCount, int nCount) {
    return std::max(std::min(nDropDownItemCount, nCount), 1);
}

BOOL CTkControlComboBoxList::CreatePopupWindow() {
    if (m_hWnd != nullptr)
        return TRUE;
    CWnd* pSite = GetSite();
    HWND hwndSite = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
    const DWORD dwStyle = WS_VSCROLL | WS_CLIPCHILDREN | m_dwListStyle;
    if (!IsOwnerDrawn() || hwndSite == nullptr)
        return CreateEx(dwExStyle, L"LISTBOX", nullptr, dwStyle | WS_POPUP, 0, 0, 0, 0, hwndSite, nullptr);
    // A child first: the list box sends its drawing messages to the window it was made in, for good.
    if (!CreateEx(dwExStyle, L"LISTBOX", nullptr, dwStyle | WS_CHILD | LBS_NOTIFY, 0, 0, 0, 0, hwndSite,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListBoxId))))
        return FALSE;
    ModifyStyle(WS_CHILD, WS_POPUP);
    ::SetParent(m_hWnd, nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwndSite));
    return TRUE;
}

// ---- The list box

int CTkControlComboBoxList::GetCurSel() const {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_GETCURSEL)) : LB_ERR;
}

void CTkControlComboBoxList::SetCurSel(int nIndex) {
    if (m_hWnd != nullptr)
        SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nIndex));
}

int CTkControlComboBoxList::GetCount() const {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_GETCOUNT)) : 0;
}

CString CTkControlComboBoxList::GetText(int nIndex) const {
    if (m_hWnd == nullptr)
        return CString();
    const LRESULT nLength = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
    if (nLength == LB_ERR || nLength <= 0)
        return CString();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1, L'\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    return CString(buffer.data());
}

int CTkControlComboBoxList::AddString(LPCWSTR pszText) {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszText)))
                             : LB_ERR;
}

int CTkControlComboBoxList::DeleteString(int nIndex) {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))) : LB_ERR;
}

void CTkControlComboBoxList::ResetContent() {
    if (m_hWnd != nullptr)
        SendMessage(LB_RESETCONTENT);
}

int CTkControlComboBoxList::FindString(int nStart, LPCWSTR pszText) const {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStart),
                                                            reinterpret_cast<LPARAM>(pszText)))
                             : LB_ERR;
}

int CTkControlComboBoxList::FindStringExact(int nStart, LPCWSTR pszText) const {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStart),
                                                            reinterpret_cast<LPARAM>(pszText)))
                             : LB_ERR;
}

void CTkControlComboBoxList::SetTopIndex(int nIndex) {
    if (m_hWnd != nullptr)
        SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex));
}

int CTkControlComboBoxList::GetItemHeight() const {
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(LB_GETITEMHEIGHT)) : 0;
}

// ---- Showing and tracking

CSize CTkControlComboBoxList::CalcDynamicSize(int, DWORD) {
    const CTkControl* pControl = m_pComboBox != nullptr ? m_pComboBox : m_pControlPopup;
    const int nWidth = m_nListWidth > 0 ? m_nListWidth : (pControl != nullptr ? pControl->GetRect().Width() : 0);
    const int nItemCount = m_pComboBox != nullptr ? m_pComboBox->GetDropDownItemCount() : 12;
    return CSize(nWidth, GetItemHeight() * GetVisibleRows(nItemCount, GetCount()) + kListHeightExtra);
}

BOOL CTkControlComboBoxList::Popup(CTkControl* pControl, BOOL) {
    auto* pComboBox = DYNAMIC_DOWNCAST(CTkControlComboBox, pControl);
    if (pComboBox == nullptr || pComboBox->GetParent() == nullptr || !CreatePopupWindow())
        return FALSE;
    m_pControlPopup = pControl;
    m_pComboBox = pComboBox;
    CTkPaintManager* pPaintManager = GetPaintManager();
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->m_fntIconTitle.GetSafeHandle()), FALSE);
    if (m_bShowIcons && m_nListIconId != -1) {
        if (CTkImageManagerIcon* pIcon = GetImageManager()->GetIcon(static_cast<UINT>(m_nListIconId), 0))
            SendMessage(LB_SETITEMHEIGHT, 0, pIcon->GetNormalImageSize().cy + kIconRowExtra);
    }
    if (CWnd* pOwner = GetOwnerWindow(); pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(PopupOpeningMessage, 0, reinterpret_cast<LPARAM>(this));
    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bRightToLeft = pCommandBars != nullptr && pCommandBars->IsLayoutRTL();
    ModifyStyleEx(bRightToLeft ? 0 : kRightToLeftExStyles, bRightToLeft ? kRightToLeftExStyles : 0);

    SetTrackingMode(kTrackingMenu, FALSE, FALSE);
    if (m_hWnd == nullptr)
        return FALSE;
    UpdateExpandDirection();
    const CSize size = CalcDynamicSize(0, 0);
    const CRect rc = CalcPopupRect(m_ptAnchor, size);
    SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    return TRUE;
}

BOOL CTkControlComboBoxList::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    CTkControlComboBox* pComboBox = m_pComboBox;
    // The bar's own tracking: the popup's ending would destroy the window, and the list keeps its rows
    // in it.
    if (!CTkCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    CTkMouseManager* pMouseManager = CreateMouseManager();
    if (nMode != kTrackingNone) {
        ++pMouseManager->m_nLock;
        if (pComboBox != nullptr) {
            pComboBox->SyncListFromText();
            pComboBox->NotifySite(CBN_DROPDOWN);
        }
        return TRUE;
    }
    CCmdTargetRef keepAlive(this);
    if (pComboBox != nullptr)
        pComboBox->NotifySite(CBN_CLOSEUP);
    --pMouseManager->m_nLock;
    if (m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
    if (m_pControlPopup != nullptr) {
        CTkCommandBar* pParent = m_pControlPopup->GetParent();
        if (pParent != nullptr && pParent->GetControl(pParent->GetPopupedIndex()) == m_pControlPopup)
            pParent->PopupControl(-1);
    }
    // Opened without the bar (SetPopupOpen): the combo hears of the end here.
    if (pComboBox != nullptr && pComboBox->IsPopupOpen())
        pComboBox->SetPopupOpen(FALSE);
    m_pComboBox = nullptr;
    m_pControlPopup = nullptr;
    return TRUE;
}

int CTkControlComboBoxList::OnTrackingKeyDown(UINT nKey, LPARAM) {
    if (m_pComboBox == nullptr)
        return 0;
    // Esc and Tab are the combo's; Enter executes it.
    if (nKey == VK_ESCAPE || nKey == VK_TAB)
        return 0;
    if (nKey == VK_RETURN) {
        m_pComboBox->Execute();
        return 1;
    }
    return 0;
}

void CTkControlComboBoxList::DrawCommandBar(CDC*, CRect) {
    // The list box paints itself.
}

// ---- Rows

void CTkControlComboBoxList::DrawItem(LPDRAWITEMSTRUCT pDrawItem) {
    if (m_pComboBox != nullptr)
        m_pComboBox->DrawItem(pDrawItem);
}

void CTkControlComboBoxList::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem) {
    if (m_pComboBox != nullptr)
        m_pComboBox->MeasureItem(pMeasureItem);
}

// ---- The list box's own behaviour instead of the bar's

void CTkControlComboBoxList::OnPaint() {
    Default();
}

BOOL CTkControlComboBoxList::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}

LRESULT CTkControlComboBoxList::OnPrintClient(WPARAM, LPARAM) {
    return Default();
}

void CTkControlComboBoxList::OnNcPaint() {
    Default();
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CTkPaintManager* pPaintManager = GetPaintManager();
    dc.Draw3dRect(rc, pPaintManager->LookupColor(kListFrameColor), pPaintManager->LookupColor(kListFrameColor));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(rc, pPaintManager->LookupColor(COLOR_WINDOW), pPaintManager->LookupColor(COLOR_WINDOW));
}

void CTkControlComboBoxList::OnMouseMove(UINT, CPoint point) {
    Default();
    const LRESULT nHit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int nIndex = LOWORD(nHit);
    if (HIWORD(nHit) == 0 && nIndex != GetCurSel())
        SetCurSel(nIndex);
}

LRESULT CTkControlComboBoxList::OnMouseLeave(WPARAM, LPARAM) {
    return Default();
}

void CTkControlComboBoxList::OnLButtonDown(UINT, CPoint) {
    Default();
}

void CTkControlComboBoxList::OnLButtonUp(UINT, CPoint) {
    Default();
    if (m_pComboBox == nullptr)
        return;
    CTkControlComboBox* pComboBox = m_pComboBox;
    CCmdTargetRef keepAlive(pComboBox);
    pComboBox->OnSelChanged();
    pComboBox->Execute();
    // The command ends the bars' menus; a list opened outside them closes here.
    if (m_nTrackingMode != kTrackingNone)
        SetTrackingMode(kTrackingNone);
}

void CTkControlComboBoxList::OnLButtonDblClk(UINT, CPoint) {
    Default();
}

void CTkControlComboBoxList::OnRButtonDown(UINT, CPoint) {
    Default();
}

void CTkControlComboBoxList::OnRButtonUp(UINT, CPoint) {
    Default();
}

LRESULT CTkControlComboBoxList::OnNcHitTest(CPoint) {
    return Default();
}

void CTkControlComboBoxList::OnNcLButtonDown(UINT, CPoint) {
    Default();
}

void CTkControlComboBoxList::OnTimer(UINT_PTR) {
    Default();
}

BOOL CTkControlComboBoxList::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}

BOOL CTkControlComboBoxList::OnNcActivate(BOOL) {
    return static_cast<BOOL>(Default());
}

BOOL CTkControlComboBoxList::OnNcCreate(LPCREATESTRUCT) {
    return static_cast<BOOL>(Default());
}

int CTkControlComboBoxList::OnMouseActivate(CWnd*, UINT, UINT) {
    // The edit keeps the focus while the list is used.
    return MA_NOACTIVATE;
}

// ---- Copies and saving

void CTkControlComboBoxList::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkControlComboBoxPopupBar::Copy(pSource, bRecursive);
    auto* pSourceList = DYNAMIC_DOWNCAST(CTkControlComboBoxList, pSource);
    if (pSourceList == nullptr)
        return;
    m_nListIconId = pSourceList->m_nListIconId;
    ResetContent();
    for (int i = 0; i < pSourceList->GetCount(); ++i)
        AddString(pSourceList->GetText(i));
}

void CTkControlComboBoxList::DoPropExchange(CTkPropExchange* pPX) {
    CTkControlComboBoxPopupBar::DoPropExchange(pPX);
    if (pPX->m_nSchema <= 23)
        return;
    ExchangeInt(pPX, L"ListIconId", m_nListIconId, -1);
    std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"Items"));
    if (pPX->IsLoading()) {
        CreatePopupWindow();
        ResetContent();
        const DWORD nCount = pSection->ReadCount();
        for (DWORD i = 0; i < nCount; ++i) {
            CString strItem;
            ExchangeString(pSection.get(), L"Item", strItem, L"");
            AddString(strItem);
        }
    } else {
        const int nCount = GetCount();
        pSection->WriteCount(static_cast<DWORD>(nCount));
        for (int i = 0; i < nCount; ++i) {
            CString strItem = GetText(i);
            ExchangeString(pSection.get(), L"Item", strItem, L"");
        }
    }
}
