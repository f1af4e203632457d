#include "ListCtrl.h"
#include "HeaderCtrl.h"
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (hHeader == nullptr)
        return nullptr;
    CWnd* pWnd = FromHandlePermanent(hHeader);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)))
        return static_cast<CHeaderCtrl*>(pWnd);
    return AfxGetThreadState()->m_tempObjects.FromHandle<CHeaderCtrl, &CHeaderCtrl::m_hWnd>(hHeader);
}

namespace {

LVITEMW MakeItem(UINT mask, int item, int subItem, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM lParam) {
    LVITEMW record = {};
    record.mask = mask;
    record.iItem = item;
    record.iSubItem = subItem;
    record.pszText = const_cast<LPWSTR>(text);
    record.state = state;
    record.stateMask = stateMask;
    record.iImage = image;
    record.lParam = lParam;
    return record;
}

}  // namespace

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
    LVITEMW item = MakeItem(nMask, nItem, 0, lpszItem, nImage, nState, nStateMask, lParam);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam) {
    LVITEMW item = MakeItem(nMask, nItem, nSubItem, lpszItem, nImage, nState, nStateMask, lParam);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // The control cannot tell a text's length: the buffer grows until the text leaves room to spare.
    CString text;
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    for (int nLen = 256;; nLen *= 2) {
        item.cchTextMax = nLen;
        item.pszText = text.GetBuffer(nLen);
        const int nCopied = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(nCopied);
        if (nCopied < nLen - 1)
            break;
    }
    return text;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int nItem = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(nItem + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    const int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(GetNextItem(nItem, LVNI_SELECTED) + 1));
    return nItem;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageList) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageList),
                    reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr))));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
    ref.top = iSubItem;
    ref.left = nArea;
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), reinterpret_cast<LPARAM>(&ref)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    LVHITTESTINFO info = {};
    info.pt = pt;
    const int nItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}
