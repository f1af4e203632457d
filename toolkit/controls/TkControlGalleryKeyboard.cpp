// The gallery's keyboard: the keys while it is focused, the item searches they use (labels are never
// chosen), and the text search the combo-box drop-down answers its list searches with.

#include "TkControlGallery.h"

#include "TkCommandBar.h"
#include "TkControls.h"
#include "TkGalleryItem.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

BOOL IsLabelAt(const CTkControlGallery* pGallery, int nIndex) {
    CTkGalleryItem* pItem = pGallery->GetItem(nIndex);
    return pItem == nullptr || pItem->m_bLabel;
}

}  // namespace

BOOL CTkControlGallery::HasOtherKeyboardControl(int nStep) const {
    return m_pControls != nullptr && m_pControls->GetNext(m_nIndex, nStep, TRUE, FALSE, TRUE) != m_nIndex;
}

int CTkControlGallery::HandleFocusedKey(UINT nKey) {
    if (!IsFocused())
        return 0;
    if (m_nSelectedItem == -1 && m_pCommandBar != nullptr) {
        // The gallery as a whole: Enter and Space open its sub bar.
        if ((nKey == VK_RETURN || nKey == VK_SPACE) && m_pParent != nullptr) {
            m_pParent->PopupControl(m_nIndex);
            return 1;
        }
        return 0;
    }
    if (m_pParent != nullptr)
        MirrorArrowKeyForRtl(m_pParent, &nKey);
    const int c = m_nSelectedItem;
    switch (nKey) {
        case VK_TAB: {
            const BOOL bBack = ::GetKeyState(VK_SHIFT) < 0;
            const int n = FindSelectableItem(c, bBack ? -1 : 1);
            // Coming round ends the gallery's turn: the bar moves on to the next control.
            if (bBack ? n >= c : n <= c)
                return 0;
            SetHotItemByKeyboard(n);
            return 1;
        }
        case VK_RETURN:
            Execute();
            return 0;
        case VK_PRIOR:
        case VK_NEXT:
            SetHotItemByKeyboard(FindItemByPage(c, nKey == VK_PRIOR ? -1 : 1));
            return 1;
        case VK_END:
        case VK_HOME:
            SetHotItemByKeyboard(FindSelectableItem(-1, nKey == VK_END ? -1 : 1));
            return 1;
        case VK_LEFT:
        case VK_RIGHT:
            SetHotItemByKeyboard(FindItemInRow(c, nKey == VK_LEFT ? -1 : 1));
            return 1;
        case VK_UP:
        case VK_DOWN: {
            const int nStep = nKey == VK_UP ? -1 : 1;
            int n = FindItemInColumn(c, nStep);
            if (n == -1) {
                // Only the bar's one keyboard control wraps; otherwise the bar moves to its neighbour.
                if (HasOtherKeyboardControl(nStep))
                    return 0;
                n = FindSelectableItem(-1, nStep);
                if (n == -1)
                    return 0;
            }
            SetHotItemByKeyboard(n);
            return 1;
        }
        default:
            return 0;
    }
}

int CTkControlGallery::FindSelectableItem(int nStart, int nStep) const {
    const int nCount = GetItemCount();
    if (nCount == 0)
        return -1;
    int i = nStart == -1 && nStep < 0 ? nCount - 1 : nStart + nStep;
    int nWraps = 0;
    for (;;) {
        if (i < 0 || i >= nCount) {
            // A search begun at -1 ends at the far end; any other wraps once.
            if (nStart == -1 || ++nWraps > 1)
                return -1;
            i = nStep > 0 ? 0 : nCount - 1;
        }
        if (i == nStart)
            return nStart;
        if (!IsLabelAt(this, i))
            return i;
        i += nStep;
    }
}

int CTkControlGallery::FindItemInRow(int nIndex, int nStep) const {
    const int nCount = std::min(GetItemCount(), static_cast<int>(m_positions.size()));
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems == nullptr || nIndex < 0 || nIndex >= nCount)
        return -1;
    if (pItems->m_nItemWidth == 0 || GetItemsRect().Width() < 2 * pItems->m_nItemWidth)
        return nIndex;
    auto shown = [this](int i) { return !m_positions[static_cast<size_t>(i)].rc.IsRectEmpty(); };
    auto beginsRow = [this](int i) { return m_positions[static_cast<size_t>(i)].bBeginsRow; };
    if (nStep < 0) {
        if (!beginsRow(nIndex)) {
            for (int i = nIndex - 1; i >= 0; --i) {
                if (shown(i))
                    return i;
            }
        }
        // From the row's start to its end.
        int nLast = nIndex;
        for (int i = nIndex + 1; i < nCount && !beginsRow(i); ++i) {
            if (shown(i))
                nLast = i;
        }
        return nLast;
    }
    for (int i = nIndex + 1; i < nCount && !beginsRow(i); ++i) {
        if (shown(i))
            return i;
    }
    // From the row's end to its start.
    for (int i = nIndex; i >= 0; --i) {
        if (beginsRow(i))
            return i;
    }
    return nIndex;
}

int CTkControlGallery::FindItemInColumn(int nIndex, int nStep) const {
    const int nCount = std::min(GetItemCount(), static_cast<int>(m_positions.size()));
    if (nCount == 0)
        return -1;
    if (nIndex < 0 || nIndex >= nCount)
        return FindSelectableItem(-1, nStep);
    const int nLeft = m_positions[static_cast<size_t>(nIndex)].rc.left;
    for (int i = nIndex + nStep; i >= 0 && i < nCount; i += nStep) {
        if (!IsLabelAt(this, i) && m_positions[static_cast<size_t>(i)].rc.left == nLeft)
            return i;
    }
    return -1;
}

int CTkControlGallery::FindItemByPage(int nIndex, int nStep) const {
    const int nCount = std::min(GetItemCount(), static_cast<int>(m_positions.size()));
    if (nCount == 0)
        return -1;
    if (nIndex < 0 || nIndex >= nCount) {
        nIndex = FindSelectableItem(-1, nStep);
        if (nIndex == -1 || nIndex >= nCount)
            return -1;
    }
    const int h = GetItemsRect().Height();
    const CRect rcFrom = m_positions[static_cast<size_t>(nIndex)].rc;
    int nAnswer = nIndex;
    for (int i = nIndex + nStep; i >= 0 && i < nCount; i += nStep) {
        const CRect& rc = m_positions[static_cast<size_t>(i)].rc;
        const int nDistance = nStep < 0 ? rcFrom.top - rc.top : rc.bottom - rcFrom.bottom;
        if (nDistance > h)
            break;
        if (nDistance < h && !IsLabelAt(this, i))
            nAnswer = i;
    }
    return nAnswer;
}

int CTkControlGallery::FindItem(int nStart, LPCWSTR pszText, BOOL bExact) const {
    const int nCount = GetItemCount();
    if (nCount == 0 || pszText == nullptr || pszText[0] == L'\0')
        return -1;
    const int nTextLength = static_cast<int>(wcslen(pszText));
    int i = nStart + 1;
    if (i < 0 || i >= nCount)
        i = 0;
    for (int nVisited = 0; nVisited < nCount; ++nVisited, i = (i + 1) % nCount) {
        const CString& strCaption = GetItem(i)->m_strCaption;
        if (bExact) {
            if (_wcsicmp(strCaption, pszText) == 0)
                return i;
        } else if (strCaption.GetLength() >= nTextLength &&
                   ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, strCaption, nTextLength, pszText,
                                    nTextLength) == CSTR_EQUAL) {
            return i;
        }
    }
    return -1;
}
