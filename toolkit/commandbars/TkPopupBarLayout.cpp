// The popup bar's measuring and layout: columns or a toolbar layout, the personalised menus with their
// expand button, the scrolled view of a popup taller than the screen, and the chrome (tear-off strip,
// resize gripper, scroll arrows).

#include "TkPopupBar.h"

#include "SoundManager.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkShadowManager.h"
#include "TkToolTipContext.h"

namespace {

constexpr DWORD kToolbarPopupLayout = kLayoutHorizontal | kLayoutCommit | kLayoutFloatWrap;
constexpr int kCornerGripperHeight = 11;
constexpr int kHeightGripperHeight = 8;
// The hide bits the personalised menus and the scrolled view set themselves.
constexpr DWORD kHideByPopup = kHideByBar | kHideRarelyUsed;

int GripperHeight(int nResizeKind) {
    return nResizeKind == 0 ? 0 : nResizeKind == 2 ? kHeightGripperHeight : kCornerGripperHeight;
}

}  // namespace

CRect CTkPopupBar::GetBorders() {
    return m_nType == kBarTypeNormal ? m_rcBorders : GetPaintManager()->GetBarBorders(this);
}

CTkControl* CTkPopupBar::GetExpandButton(BOOL bCreate) {
    CTkControl* pExpand = m_pControls->FindById(kExpandButtonId);
    if (pExpand == nullptr && bCreate)
        pExpand = m_pControls->Add(new CControlExpandButton, kExpandButtonId, nullptr, -1, TRUE);
    return pExpand;
}

CTkControl* CTkPopupBar::FindResizableControl() const {
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetType() == kControlGallery && pControl->IsVisible())
            return pControl;
    }
    return nullptr;
}

void CTkPopupBar::PlaceChrome(const CRect& rcBorders, CSize size, int nExpandHeight, int nTearOffHeight,
                              int nGripperHeight) {
    const int nBottom = size.cy - rcBorders.bottom;
    if (nExpandHeight > 0) {
        if (CTkControl* pExpand = GetExpandButton(FALSE)) {
            pExpand->SetHideFlags(pExpand->GetHideFlags() & ~kHideGeneric);
            pExpand->SetRect(CRect(rcBorders.left, nBottom, size.cx - rcBorders.right, nBottom + nExpandHeight));
        }
    }
    const int nTop = rcBorders.top - nTearOffHeight;
    m_rcTearOff.SetRect(rcBorders.left, nTop, size.cx - rcBorders.right, nTop + nTearOffHeight);
    const int nGripperTop = nBottom + nExpandHeight;
    m_rcGripper = nGripperHeight > 0
                      ? CRect(rcBorders.left, nGripperTop, size.cx - rcBorders.right, nGripperTop + nGripperHeight)
                      : CRect(0, 0, 0, 0);
}

CSize CTkPopupBar::CalcDynamicSize(int nLength, DWORD) {
    m_bInLayout = TRUE;
    CTkPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CTkFontDC font(&dc, pPaintManager->GetBarFont(this));
    CRect rcBorders = GetBorders();
    int nTearOff = 0;
    if (m_bTearOffPopup) {
        nTearOff = pPaintManager->PaintTearOffStrip(&dc, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
        rcBorders.top += nTearOff;
    }

    CSize size;
    if (m_nType == kBarTypeNormal) {
        UpdateShortcutTexts();
        // Rows wrap at the bar's MRU width; the length stays the one asked for (0 for a popup toolbar), or the
        // rows a group start begins would stretch the popup to the MRU width, 32767 pixels by default.
        DWORD dwMode = kToolbarPopupLayout;
        size = m_pControls->CalcToolbarLayout(&dc, nLength, dwMode, rcBorders, 0);
        m_nResizeKind = 0;
        PlaceChrome(rcBorders, size, 0, nTearOff, 0);
        m_bInLayout = FALSE;
        return size;
    }

    CTkControl* pGallery = FindResizableControl();
    m_nResizeKind = pGallery != nullptr ? pGallery->CanCustomizeResize() : 0;
    const int nGripper = GripperHeight(m_nResizeKind);
    rcBorders.bottom += nGripper;
    if (nLength == 0) {
        for (int i = 0; i < GetControlCount(); ++i) {
            CTkControl* pControl = GetControl(i);
            if (pControl->GetParent() == this)
                pControl->PrepareForLayout(0);
        }
        UpdateRarelyUsedCommands();
        UpdateShortcutTexts();
    }
    int nExpand = 0;
    if (m_bHasHiddenCommands) {
        CTkControl* pExpand = GetExpandButton(TRUE);
        nExpand = pPaintManager->PaintExpandButton(&dc, 1, pExpand, this, FALSE, FALSE).cy;
        rcBorders.bottom += nExpand;
        pExpand->SetHideFlags(pExpand->GetHideFlags() | kHideGeneric);
    } else if (CTkControl* pExpand = GetExpandButton(FALSE)) {
        pExpand->SetHideFlags(pExpand->GetHideFlags() | kHideGeneric);
    }
    size = m_pControls->CalcPopupLayout(&dc, nLength, m_nMRUWidth, rcBorders);
    PlaceChrome(rcBorders, size, nExpand, nTearOff, nGripper);
    m_bInLayout = FALSE;
    return size;
}

void CTkPopupBar::UpdateRarelyUsedCommands() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    if (pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus) {
        for (int i = 0; i < GetControlCount(); ++i)
            GetControl(i)->SetRarelyUsed(FALSE);
        m_bExpanded = TRUE;
        return;
    }
    m_bHasHiddenCommands = FALSE;
    BOOL bSomethingStays = FALSE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        const BOOL bShown = pControl->IsVisible(kHideByPopup);
        const BOOL bHidden = pCommandBars->IsControlHidden(pControl);
        pControl->SetRarelyUsed(bHidden && bShown);
        if (pControl->GetId() != static_cast<int>(kExpandButtonId) && bShown && !bHidden)
            bSomethingStays = TRUE;
    }
    // A menu of nothing but rarely used commands shows them all.
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideRarelyUsed);
        if (pControl->IsRarelyUsed() && !m_bExpanded && bSomethingStays) {
            pControl->SetHideFlags(pControl->GetHideFlags() | kHideRarelyUsed);
            m_bHasHiddenCommands = TRUE;
        }
    }
}

void CTkPopupBar::ExpandToFullMenu() {
    if (m_bExpanded || !m_bHasHiddenCommands)
        return;
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->CancelToolTips();
    m_bExpandPending = TRUE;
    m_bExpanded = TRUE;
    PopupControl(-1);
    SetSelected(-1, kSelectByMouse);
    RecalcLayout();
    CTkMouseManager* pMouseManager = CreateMouseManager();
    pMouseManager->m_bPopupOpening = TRUE;
    pMouseManager->m_bSwallowButtonUp = TRUE;
}

void CTkPopupBar::RecalcLayout() {
    if (m_bInLayout || m_hWnd == nullptr || m_nTrackingMode == kTrackingNone)
        return;
    UpdateShortcutTexts();
    UpdateExpandDirection();
    const CSize size = CalcDynamicSize(0, 0);
    const CRect rc = CalcPopupRect(m_ptAnchor, size);
    CRect rcOld;
    GetWindowRect(&rcOld);
    if (!m_bExpandPending && rc == rcOld) {
        Redraw();
        return;
    }
    CTkCommandBars* pCommandBars = GetCommandBars();
    const int nTipLevel = GetActiveKeyboardTipLevel();
    if (nTipLevel != 0 && pCommandBars != nullptr)
        pCommandBars->DestroyKeyboardTips();
    CTkPaintManager* pPaintManager = GetPaintManager();
    CTkShadowManager* pShadowManager = pPaintManager->GetShadowManager();
    if (pShadowManager != nullptr)
        pShadowManager->RemoveShadow(this);

    const int nKind = m_bExpandPending ? GetAnimationKind() : kPopupAnimationNone;
    if (nKind >= kPopupAnimationUnfold && nKind <= kPopupAnimationFade) {
        // The menu grows over what the screen shows now.
        CWindowDC dcDesktop(nullptr);
        CBitmap bmpScreen;
        bmpScreen.CreateCompatibleBitmap(&dcDesktop, rc.Width(), rc.Height());
        {
            CTkCompatibleDC dcScreen(&dcDesktop, &bmpScreen);
            dcScreen.BitBlt(0, 0, rc.Width(), rc.Height(), &dcDesktop, rc.left, rc.top, SRCCOPY);
        }
        ShowWindow(SW_HIDE);
        if (CWnd* pSite = GetSite())
            pSite->UpdateWindow();
        SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        pPaintManager->ShapePopupWindow(this);
        CWindowDC dcWindow(this);
        {
            const DWORD dwLayout = ::SetLayout(dcWindow.GetSafeHdc(), 0);
            CTkCompatibleDC dcScreen(&dcDesktop, &bmpScreen);
            dcWindow.BitBlt(0, 0, rc.Width(), rc.Height(), &dcScreen, 0, 0, SRCCOPY);
            ::SetLayout(dcWindow.GetSafeHdc(), dwLayout);
        }
        CRect rcClient;
        GetClientRect(&rcClient);
        CClientDC dcClient(this);
        CTkBufferDCEx dcBuffer(dcClient.GetSafeHdc(), rcClient);
        DrawCommandBar(&dcBuffer, rcClient);
        pPaintManager->AnimateMenuExpand(this, &dcClient, &dcBuffer, rcOld.bottom < rc.bottom);
    } else {
        SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        pPaintManager->ShapePopupWindow(this);
    }
    GetSoundManager()->PlaySystemSound(kSoundMenuPopup);
    ShowShadows();
    if (auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, m_pControlPopup))
        pPopup->UpdatePopupShadow();
    Redraw();
    if (nTipLevel != 0)
        PostMessage(WM_TIMER, kTimerShowKeyboardTips);
    m_bExpandPending = FALSE;
}

void CTkPopupBar::RecalcPopupSize() {
    if (m_bInLayout || m_hWnd == nullptr || m_nTrackingMode == kTrackingNone)
        return;
    const CSize size = CalcDynamicSize(0, 0);
    CRect rcOld;
    GetWindowRect(&rcOld);
    CRect rc(rcOld.TopLeft(), size);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        rc.OffsetRect(rcOld.Width() - size.cx, 0);
    if (rc != rcOld) {
        CTkCommandBars* pCommandBars = GetCommandBars();
        if (GetActiveKeyboardTipLevel() != 0 && pCommandBars != nullptr)
            pCommandBars->DestroyKeyboardTips();
        SetWindowRgn(nullptr, FALSE);
        SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        CTkPaintManager* pPaintManager = GetPaintManager();
        pPaintManager->ShapePopupWindow(this);
        if (CTkShadowManager* pShadowManager = pPaintManager->GetShadowManager())
            pShadowManager->AdjustShadows(this, rc.Width() - rcOld.Width(), rc.Height() - rcOld.Height());
    }
    Redraw();
}
