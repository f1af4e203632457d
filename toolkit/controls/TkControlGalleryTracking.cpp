// The gallery under the mouse: clicks on items and on the scroll area, the highlight that follows the
// pointer or the keyboard, the preview reported to the site while an item stays highlighted, and item
// drags.

#include "TkControlGallery.h"

#include "TkCommandBar.h"
#include "TkCommandBarsDefs.h"
#include "TkControls.h"
#include "TkGalleryItem.h"

#include <cstdlib>

namespace {

// How long the pointer rests on an item before its preview starts, ms.
constexpr UINT kHoverDelay = 200;
// How far the pointer moves from the press before an item drag starts.
constexpr int kDragDistance = 4;

}  // namespace

void CTkControlGallery::RedrawItem(int nIndex, BOOL bAnimate) {
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems != nullptr && pItems->m_bPartialRedraw) {
        const CRect rc = GetItemRect(nIndex);
        RedrawGallery(&rc, bAnimate);
    } else {
        RedrawGallery(&m_rcControl, TRUE);
    }
}

void CTkControlGallery::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (IsShownAsButton()) {
        CTkControlPopup::HandleClick(bKeyboard, pt);
        return;
    }
    if (IsCustomizeMode()) {
        if (m_pParent != nullptr) {
            m_pParent->PopupControl(-1);
            m_pParent->SetSelected(-1);
        }
        StartCustomizeDrag(pt);
        return;
    }
    if (!GetEnabled() || bKeyboard || m_pParent == nullptr)
        return;
    HandleMouseMove(pt);
    if (m_geometry.nHitPart == kScrollPartExtraButton) {
        m_pParent->PopupControl(m_nIndex);
    } else if (m_geometry.nHitPart != kScrollPartNone) {
        TrackScrollBar(m_pParent, pt, &m_geometry, ::GetKeyState(VK_SHIFT) < 0);
    } else {
        m_pParent->PopupControl(-1);
        OnItemButtonDown(pt);
    }
}

void CTkControlGallery::OnItemButtonDown(CPoint pt) {
    if (m_nSelectedItem == -1 || m_bKeyboardSelected)
        return;
    m_bItemPressed = TRUE;
    m_ptPress = pt;
    RedrawGallery(&m_rcControl, TRUE);
}

void CTkControlGallery::HandleButtonUp(CPoint pt) {
    if (IsShownAsButton())
        CTkControlPopup::HandleButtonUp(pt);
    else
        OnItemButtonUp();
}

void CTkControlGallery::OnItemButtonUp() {
    // In a popup a release after the press that opened it chooses the highlighted item.
    const BOOL bPopupChoice =
        m_pParent != nullptr && m_pParent->GetPosition() == kBarPopup && !m_bSelectionHidden && m_nSelectedItem != -1;
    if (!m_bItemPressed && !bPopupChoice)
        return;
    m_bItemPressed = FALSE;
    RedrawGallery(&m_rcControl, TRUE);
    Execute();
}

void CTkControlGallery::HandleMouseMove(CPoint pt) {
    if (IsShownAsButton()) {
        CTkControlPopup::HandleMouseMove(pt);
        return;
    }
    TrackMouse(pt);
    const int nPart = HitTest(pt);
    if (nPart != m_geometry.nHitPart) {
        m_geometry.nHitPart = nPart;
        RedrawParent(TRUE);
    }
}

void CTkControlGallery::TrackMouse(CPoint pt) {
    const int nHit = HitTestItem(pt);
    if (nHit == -1) {
        // A keyboard highlight survives the pointer passing over empty space.
        if (m_bKeyboardSelected)
            return;
        if (pt == CPoint(-1, -1) && m_nSelectedItem != -1) {
            ClearHotItem();
            return;
        }
    }
    if (nHit != m_nSelectedItem || m_bSelectionHidden || m_bKeyboardSelected) {
        const int nOld = m_nSelectedItem;
        m_nSelectedItem = nHit;
        m_bSelectionHidden = FALSE;
        m_bKeyboardSelected = FALSE;
        m_bItemPressed = FALSE;
        CTkGalleryItemCollection* pItems = GetItems();
        if (pItems != nullptr && pItems->m_bPartialRedraw) {
            if (nOld != -1)
                RedrawItem(nOld, TRUE);
            if (nHit != -1)
                RedrawItem(nHit, FALSE);
        } else {
            RedrawGallery(&m_rcControl, TRUE);
        }
        if (m_bPreviewing)
            NotifySite(kNotifyPreviewChange);
        else if (nHit != -1 && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
            m_pParent->SetTimer(kTimerHover, kHoverDelay, nullptr);
        if (nHit == -1 && m_bPreviewing) {
            m_bPreviewing = FALSE;
            NotifySite(kNotifyPreviewCancel);
        }
        OnSelectedItemChanged();
    }
    if (m_bItemPressed && m_ptPress != CPoint(0, 0) && m_nSelectedItem != -1 &&
        (std::abs(pt.x - m_ptPress.x) > kDragDistance || std::abs(pt.y - m_ptPress.y) > kDragDistance)) {
        m_ptPress = CPoint(0, 0);
        NotifySite(kNotifyItemDrag);
    }
}

void CTkControlGallery::SetHotItemByKeyboard(int nIndex) {
    const int nOld = m_nSelectedItem;
    m_bSelectionHidden = FALSE;
    m_nSelectedItem = nIndex;
    m_bItemPressed = FALSE;
    m_bKeyboardSelected = TRUE;
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems != nullptr && pItems->m_bPartialRedraw) {
        if (nOld != -1)
            RedrawItem(nOld, TRUE);
        EnsureVisible(nIndex);
        if (nIndex != -1)
            RedrawItem(nIndex, FALSE);
    } else {
        EnsureVisible(nIndex);
        RedrawGallery(&m_rcControl, TRUE);
    }
    if (nIndex != -1 && m_pParent != nullptr)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_pParent->GetSafeHwnd(), m_nId, nIndex + 1);
    if (nIndex != -1) {
        if (!m_bPreviewing) {
            m_bPreviewing = TRUE;
            NotifySite(kNotifyPreviewStart);
        }
        NotifySite(kNotifyPreviewChange);
    } else if (m_bPreviewing) {
        NotifySite(kNotifyPreviewChange);
        m_bPreviewing = FALSE;
        NotifySite(kNotifyPreviewCancel);
    }
    OnSelectedItemChanged();
}

void CTkControlGallery::ClearHotItem() {
    m_bSelectionHidden = TRUE;
    m_bKeyboardSelected = FALSE;
    if (m_nSelectedItem != -1) {
        CTkGalleryItemCollection* pItems = GetItems();
        if (pItems != nullptr && pItems->m_bPartialRedraw)
            RedrawItem(m_nSelectedItem, FALSE);
        else
            RedrawGallery(&m_rcControl, TRUE);
    }
    if (m_bPreviewing) {
        if (m_nSelectedItem != -1)
            NotifySite(kNotifyPreviewChange);
        m_bPreviewing = FALSE;
        NotifySite(kNotifyPreviewCancel);
    }
    OnSelectedItemChanged();
}

void CTkControlGallery::HandleHoverDelay() {
    if (IsShownAsButton()) {
        CTkControlPopup::HandleHoverDelay();
        return;
    }
    if (!m_bSelectionHidden && m_nSelectedItem != -1 && !m_bPreviewing && m_nSelected != 0) {
        m_bPreviewing = TRUE;
        NotifySite(kNotifyPreviewStart);
        NotifySite(kNotifyPreviewChange);
    }
    if (m_pParent != nullptr && m_pParent->GetTrackingMode() != kTrackingNone)
        CTkControlPopup::HandleHoverDelay();
}

BOOL CTkControlGallery::SetSelected(int nSelected) {
    if (IsShownAsButton())
        return CTkControlPopup::SetSelected(nSelected);
    if (nSelected == 0) {
        m_bItemPressed = FALSE;
        m_geometry.nHitPart = kScrollPartNone;
        ClearHotItem();
    } else if (nSelected == 2 || nSelected == 3) {
        if (m_bSelectionHidden || m_nSelectedItem == -1) {
            // With a sub bar the keyboard first acts on the gallery as a whole.
            if (m_pCommandBar != nullptr)
                SetHotItemByKeyboard(-1);
            else
                SetHotItemByKeyboard(FindSelectableItem(-1, nSelected == 2 ? 1 : -1));
        }
    }
    return CTkControl::SetSelected(nSelected);
}
