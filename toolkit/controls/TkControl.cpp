#include "TkControl.h"

#include "SoundManager.h"
#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControlAction.h"
#include "TkControlDragTracker.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkPropExchange.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"

#include <windowsx.h>

#include <algorithm>

namespace {

GlassCaptionTest s_pfnGlassCaptionTest = nullptr;

// Which edge of the rectangle a customize press grips: fewer than 3 pixels in from the left edge, or
// fewer than 2 in from the right one (the right edge is exclusive, so the last column is 0 pixels in).
enum ResizeEdge { kEdgeNone, kEdgeLeft, kEdgeRight };

ResizeEdge HitResizeEdge(const CRect& rc, CPoint pt) {
    if (!rc.PtInRect(pt))
        return kEdgeNone;
    if (pt.x - rc.left < 3)
        return kEdgeLeft;
    if (rc.right - 1 - pt.x < 2)
        return kEdgeRight;
    return kEdgeNone;
}

// Ends the open menus of a command: the root bar's tracking when it tracks, else the hub's popups, else
// whatever the thread's mouse manager tracks.
void EndMenus(CTkCommandBar* pRoot, CTkCommandBars* pCommandBars) {
    if (pRoot != nullptr && pRoot->GetTrackingMode() != kTrackingNone)
        pRoot->EndTracking();
    else if (pCommandBars != nullptr)
        pCommandBars->ClosePopups();
    else
        CreateMouseManager()->CloseAllTracked();
}

HRESULT ReturnText(const CString& str, BSTR* pszOut) {
    if (pszOut == nullptr)
        return E_POINTER;
    *pszOut = ::SysAllocString(str);
    return *pszOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The control answers for itself only (CHILDID_SELF).
BOOL IsSelf(const VARIANT& varChild) {
    return GetChildIdFromVariant(&varChild) == CHILDID_SELF;
}

HRESULT ReturnDispatch(CTkAccessible* pAccessible, IDispatch** ppDispatch) {
    if (ppDispatch == nullptr)
        return E_POINTER;
    *ppDispatch = &pAccessible->m_xAccessible;
    (*ppDispatch)->AddRef();
    return S_OK;
}

// Releases the desktop's update lock and the mouse capture of the resize loop on every way out.
class CResizeLoopGuard {
public:
    explicit CResizeLoopGuard(CWnd* pCaptureWnd) : m_bLocked(::LockWindowUpdate(::GetDesktopWindow())) {
        pCaptureWnd->SetCapture();
    }
    ~CResizeLoopGuard() {
        if (m_bLocked)
            ::LockWindowUpdate(nullptr);
        ::ReleaseCapture();
    }
    CResizeLoopGuard(const CResizeLoopGuard&) = delete;
    CResizeLoopGuard& operator=(const CResizeLoopGuard&) = delete;

private:
    BOOL m_bLocked;
};

}  // namespace

void RegisterGlassCaptionTest(GlassCaptionTest pfnTest) {
    s_pfnGlassCaptionTest = pfnTest;
}

IMPLEMENT_SERIAL(CTkControl, CCmdTarget, VERSIONABLE_SCHEMA | 33)

BEGIN_INTERFACE_MAP(CTkControl, CCmdTarget)
    INTERFACE_PART(CTkControl, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

void CTkControl::CDocTemplateMap::CopyFrom(const CDocTemplateMap& other) {
    RemoveAll();
    POSITION pos = other.GetStartPosition();
    while (pos != nullptr) {
        UINT nId = 0;
        BOOL bValue = FALSE;
        other.GetNextAssoc(pos, nId, bValue);
        SetAt(nId, bValue);
    }
}

CTkControl::CTkControl() = default;

CTkControl::~CTkControl() {
    if (m_pAction != nullptr)
        m_pAction->DetachControl(this);
}

// ---- Texts

CString CTkControl::GetCaption() const {
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty() || m_pAction == nullptr)
        return m_strCaption;
    return m_pAction->GetCaption();
}

CString CTkControl::GetDescription() const {
    if (!m_strDescriptionText.IsEmpty() || m_pAction == nullptr)
        return m_strDescriptionText;
    return m_pAction->GetDescription();
}

CString CTkControl::GetTooltip() const {
    if (!m_strTooltipText.IsEmpty() || m_pAction == nullptr)
        return m_strTooltipText;
    return m_pAction->GetTooltip();
}

CString CTkControl::GetShortcutText() const {
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction != nullptr && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

CString CTkControl::GetKeyboardTip() const {
    if (!m_strKeyboardTip.IsEmpty() || m_pAction == nullptr)
        return m_strKeyboardTip;
    return m_pAction->GetKeyboardTip();
}

void CTkControl::SetCaption(LPCWSTR pszCaption) {
    CString strCaption = pszCaption != nullptr ? pszCaption : L"";
    BOOL bShortcutChanged = FALSE;
    int nTab = strCaption.Find(L'\t');
    if (nTab >= 0) {
        CString strShortcut = strCaption.Mid(nTab + 1);
        bShortcutChanged = strShortcut != m_strShortcutTextAuto;
        m_strShortcutTextAuto = strShortcut;
        strCaption = strCaption.Left(nTab);
    }
    if (strCaption != m_strCaption) {
        m_strCaption = strCaption;
        OnCaptionChanged();
        DelayLayoutParent();
    } else if (bShortcutChanged) {
        DelayLayoutParent();
    }
}

void CTkControl::SetCaptionFromResource(UINT nId) {
    CString strCaption;
    if (strCaption.LoadString(nId))
        SetCaption(strCaption);
}

void CTkControl::SetPrompt(LPCWSTR pszPrompt) {
    if (!ApplyPromptTexts(pszPrompt, m_strTooltipText, m_strDescriptionText, m_strKeyboardTip))
        return;
    if (m_strCaption.IsEmpty()) {
        CString strCaption;
        AfxExtractSubString(strCaption, pszPrompt, 2);
        if (!strCaption.IsEmpty()) {
            m_strCaption = strCaption;
        } else {
            m_strCaption = m_strTooltipText;
            OnCaptionChanged();
        }
    }
}

// ---- Identity and state

void CTkControl::SetId(int nId) {
    if (nId == m_nId)
        return;
    CString strPrompt;
    if (LoadCommandString(nId, strPrompt))
        SetPrompt(strPrompt);
    m_nId = nId;
}

int CTkControl::GetIconId() const {
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction != nullptr)
        return m_pAction->GetIconId() > 0 ? m_pAction->GetIconId() : m_pAction->GetId();
    return m_nId;
}

int CTkControl::GetEnabled() const {
    return m_nEnabled == -1 && m_pAction != nullptr ? m_pAction->GetEnabled() : m_nEnabled;
}

int CTkControl::GetChecked() const {
    return m_nChecked == -1 && m_pAction != nullptr ? m_pAction->GetChecked() : m_nChecked;
}

void CTkControl::SetChecked(int nChecked) {
    if (nChecked == m_nChecked)
        return;
    m_nChecked = nChecked;
    RedrawParent(TRUE);
}

void CTkControl::SetVisible(BOOL bVisible) {
    const DWORD dwOld = m_dwHideFlags;
    SetHideFlags(bVisible ? dwOld & ~kHideGeneric : dwOld | kHideGeneric);
    if (m_dwHideFlags != dwOld)
        DelayLayoutParent();
}

void CTkControl::SetRarelyUsed(BOOL bRarelyUsed) {
    m_bRarelyUsed = bRarelyUsed;
    if (!bRarelyUsed)
        SetHideFlags(m_dwHideFlags & ~kHideRarelyUsed);
}

void CTkControl::SetDefaultItem(BOOL bDefaultItem) {
    if (bDefaultItem == m_bDefaultItem)
        return;
    m_bDefaultItem = bDefaultItem;
    DelayLayoutParent();
}

int CTkControl::GetStyle() const {
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_nStyle != kButtonAutomatic)
        return m_nStyle;
    if (m_nAssignedStyle != kButtonAutomatic)
        return m_nAssignedStyle;
    return m_pParent != nullptr ? m_pParent->GetDefaultButtonStyle() : kButtonAutomatic;
}

// ---- Relations

CTkCommandBars* CTkControl::GetCommandBars() const {
    if (m_pParent != nullptr)
        return m_pParent->GetCommandBars();
    return m_pControls != nullptr ? m_pControls->GetCommandBars() : nullptr;
}

CTkImageManager* CTkControl::GetImageManager() const {
    if (m_pParent != nullptr)
        return m_pParent->GetImageManager();
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    return ::GetImageManager();
}

CTkPaintManager* CTkControl::GetPaintManager() const {
    if (m_pParent != nullptr)
        return m_pParent->GetPaintManager();
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    return CTkPaintManager::GetCurrentPaintManager();
}

BOOL CTkControl::IsCustomizeMode() const {
    return m_pParent != nullptr && m_pParent->IsCustomizeMode();
}

// ---- Bar requests

void CTkControl::DelayLayoutParent() {
    if (m_pParent != nullptr)
        m_pParent->DelayLayout();
}

void CTkControl::RedrawParent(BOOL bAnimate) {
    if (m_pParent != nullptr && IsVisible(0))
        m_pParent->Redraw(&m_rcControl, bAnimate);
}

BOOL CTkControl::IsCursorOver() const {
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}

BOOL CTkControl::IsInGlassCaption() const {
    return s_pfnGlassCaptionTest != nullptr && m_pParent != nullptr && s_pfnGlassCaptionTest(m_pParent, m_rcControl);
}

// ---- Notifications

LRESULT CTkControl::SendNotification(CWnd* pSite, UINT nCode, ControlNotifyRecord* pRecord) {
    if (pSite == nullptr) {
        if (m_pParent == nullptr)
            return 0;
        pSite = m_pParent->GetOwnerWindow();
        if (pSite == nullptr)
            return 0;
    }
    ControlNotifyRecord record;
    if (pRecord == nullptr)
        pRecord = &record;
    pRecord->hdr.hwndFrom = nullptr;
    pRecord->hdr.idFrom = static_cast<UINT_PTR>(m_nId);
    pRecord->hdr.code = nCode;
    pRecord->pControl = this;
    // A handler may remove the control from its bar (and release it): it lives until the answer is in.
    CCmdTargetRef keepAlive(this);
    LRESULT lResult =
        pSite->SendMessage(ControlNotifyMessage, static_cast<WPARAM>(m_nId), reinterpret_cast<LPARAM>(pRecord));
    if (lResult != 0 || m_pParent == nullptr)
        return lResult;
    LRESULT lHandlerResult = 0;
    AFX_NOTIFY notify{&lHandlerResult, &pRecord->hdr};
    if (pSite->OnCmdMsg(static_cast<UINT>(m_nId), MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return lHandlerResult;
    return 0;
}

LRESULT CTkControl::NotifySite(UINT nCode) {
    return NotifySiteWithData(nCode, nullptr);
}

LRESULT CTkControl::NotifySiteWithData(UINT nCode, ControlNotifyRecord* pRecord) {
    if (m_pParent == nullptr)
        return 0;
    return SendNotification(m_pParent->GetOwnerWindow(), nCode, pRecord);
}

void CTkControl::SendCommand(CWnd* pSite) {
    if (pSite == nullptr && m_pParent != nullptr)
        pSite = m_pParent->GetOwnerWindow();
    if (pSite == nullptr)
        return;
    if (SendNotification(pSite, kControlNotifyExecute, nullptr) == 0)
        pSite->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nId), 0);
}

// ---- Customisation feedback

void CTkControl::UpdateResizeCursor(CPoint pt) {
    if (CanCustomizeResize() && HitResizeEdge(m_rcControl, pt) != kEdgeNone)
        ::SetCursor(GetResourceManager()->LoadCursor(kIdResizeCursor));
}

void CTkControl::DrawResizeTracker(CDC* pDC, const CRect& rc) {
    const int cx = rc.Width();
    const int cy = rc.Height();
    pDC->PatBlt(rc.left, rc.top, cx, 2, DSTINVERT);
    pDC->PatBlt(rc.left, rc.bottom - 2, cx, 2, DSTINVERT);
    pDC->PatBlt(rc.left, rc.top + 2, 2, cy - 4, DSTINVERT);
    pDC->PatBlt(rc.right - 2, rc.top + 2, 2, cy - 4, DSTINVERT);
}

// ---- Virtual operations

void CTkControl::SetBeginGroup(BOOL bBeginGroup) {
    if (bBeginGroup == m_bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CTkControl::SetEnabled(int nEnabled) {
    if (nEnabled == m_nEnabled)
        return;
    m_nEnabled = nEnabled;
    RedrawParent(TRUE);
}

int CTkControl::GetSelected() const {
    return m_nSelected;
}

void CTkControl::SetFocused(BOOL bFocused) {}

BOOL CTkControl::IsFocused() const {
    return FALSE;
}

int CTkControl::GetPressed() const {
    return m_nPressed;
}

void CTkControl::SetRect(CRect rc) {
    m_rcControl = rc;
}

BOOL CTkControl::IsVisible(DWORD dwSkipHideFlags) const {
    if (m_pAction != nullptr && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwSkipHideFlags) == 0;
}

BOOL CTkControl::IsCaptionVisible() const {
    if (m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
        case kButtonIcon:
            return FALSE;
        case kButtonAutomatic:
            break;
        default:
            return TRUE;
    }
    switch (m_nType) {
        case kControlButton:
        case kControlButtonPopup:
        case kControlSplitButtonPopup:
            return GetImage(0) == nullptr;
        case kControlPopup:
        case kControlLabel:
        case kControlCheckBox:
        case kControlRadioButton:
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CTkControl::IsSameAs(CTkControl* pOther) const {
    if (pOther == nullptr)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_nType == pOther->m_nType && m_nId == pOther->m_nId &&
           m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & kHideCustomize) == (pOther->m_dwHideFlags & kHideCustomize) && m_nWidth == pOther->m_nWidth;
}

CTkCommandBar* CTkControl::GetCommandBar() const {
    return nullptr;
}

BOOL CTkControl::SuppressesButtonFace() const {
    return FALSE;
}

void CTkControl::SetHideFlags(DWORD dwHideFlags) {
    m_dwHideFlags = dwHideFlags;
}

void CTkControl::Execute() {
    GetSoundManager()->PlaySystemSound(kSoundMenuCommand);
    m_nPressed = m_pParent != nullptr && m_pParent->GetPosition() == kBarPopup ? 0 : 2;
    CTkCommandBar* pRoot = m_pParent != nullptr ? m_pParent->GetRootParent() : nullptr;
    CWnd* pOwner = m_pParent != nullptr ? m_pParent->GetOwnerWindow() : nullptr;
    CTkCommandBars* pCommandBars = GetCommandBars();

    if (pCommandBars != nullptr) {
        // Personalised menus remember the command and the popup it was chosen from.
        if (m_nId != 0)
            pCommandBars->MarkCommandUsed(m_nId);
        if (CTkPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pParent)) {
            CTkControl* pOpener = pPopupBar->GetControlPopup();
            if (pOpener != nullptr && pOpener->GetId() != 0)
                pCommandBars->MarkCommandUsed(pOpener->GetId());
        }
    }

    // A popup tracked for a caller that wants the command back: hand over the id, send nothing.
    int* pReturnCommand = pRoot != nullptr ? pRoot->GetReturnCommandSlot() : nullptr;
    if (pReturnCommand != nullptr && pRoot->GetTrackingMode() != kTrackingNone) {
        const int nId = m_nId;
        EndMenus(pRoot, pCommandBars);
        *pReturnCommand = nId;
        return;
    }

    // The command may rebuild or remove the bar and with it this control.
    CCmdTargetRef keepAlive(this);
    if (m_bCloseSubMenuOnClick)
        EndMenus(pRoot, pCommandBars);
    if (m_nId == 0)
        return;
    SendCommand(pOwner);
    if ((!m_bCloseSubMenuOnClick || m_nPressed != 0) && m_pParent != nullptr) {
        m_nPressed = 0;
        m_pParent->UpdateCommandUI();
        RedrawParent(TRUE);
    }
}

CSize CTkControl::GetSize(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr ? pPaintManager->DrawControl(pDC, this, FALSE) : CSize(0, 0);
}

void CTkControl::Draw(CDC* pDC) {
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawControl(pDC, this, TRUE);
}

void CTkControl::PrepareForLayout(DWORD dwLayoutMode) {}

CTkImageManagerIcon* CTkControl::GetImage(int nWidth) const {
    const int nIconId = GetIconId();
    if (nIconId == 0)
        return nullptr;
    CTkImageManager* pImageManager = GetImageManager();
    return pImageManager != nullptr ? pImageManager->GetIcon(static_cast<UINT>(nIconId), static_cast<UINT>(nWidth))
                                    : nullptr;
}

void CTkControl::ExchangeProperties(CTkPropExchange* pPX) {
    const BOOL bLoading = pPX->IsLoading();
    const int nSchema = pPX->m_nSchema;
    auto exchangeDword = [pPX](LPCWSTR pszName, DWORD& dwValue) {
        int nValue = static_cast<int>(dwValue);
        ExchangeInt(pPX, pszName, nValue, 0);
        dwValue = static_cast<DWORD>(nValue);
    };
    auto exchangeSet = [pPX, bLoading](LPCWSTR pszName, CDocTemplateMap& map) {
        // A set that does not arrive whole leaves the rest of the stream unreadable: the load stops.
        if ((bLoading || !pPX->CanOmitDefaults() || !map.IsEmpty()) && !ExchangeSerializedObject(pPX, pszName, &map) &&
            bLoading)
            AfxThrowArchiveException(CArchiveException::genericException);
    };

    ExchangeInt(pPX, L"Type", m_nType, kControlButton);
    ExchangeInt(pPX, L"Id", m_nId, -1);
    ExchangeInt(pPX, L"IconId", m_nIconId, 0);
    ExchangeBool(pPX, L"BeginGroup", m_bBeginGroup, FALSE);
    // The tag is pointer-sized in memory (menu item data) and saved in 32 bits.
    int nTag = static_cast<int>(m_nTag);
    ExchangeInt(pPX, L"Tag", nTag, 0);
    if (bLoading)
        m_nTag = nTag;
    exchangeDword(L"Flags", m_dwFlags);
    exchangeDword(L"HideFlags", m_dwHideFlags);
    ExchangeString(pPX, L"Caption", m_strCaption, L"");
    ExchangeString(pPX, L"ShortcutText", m_strShortcutText, L"");
    ExchangeString(pPX, L"TooltipText", m_strTooltipText, L"");
    ExchangeString(pPX, L"DescriptionText", m_strDescriptionText, L"");
    ExchangeString(pPX, L"Parameter", m_strParameter, L"");
    ExchangeInt(pPX, L"CustomIconId", m_nCustomIconId, 0);
    ExchangeString(pPX, L"CustomCaption", m_strCustomCaption, L"");
    if (nSchema > 1)
        ExchangeString(pPX, L"Category", m_strCategory, L"");
    if (m_nCustomIconId > 0) {
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"CustomIcon"));
        GetImageManager()->ExchangeIconSet(static_cast<UINT>(m_nCustomIconId), pSection.get());
    }
    if (nSchema > 3) {
        exchangeSet(L"DocTemplatesExcluded", m_docTemplatesExcluded);
        exchangeSet(L"DocTemplatesAssigned", m_docTemplatesAssigned);
        ExchangeBool(pPX, L"DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        ExchangeBool(pPX, L"CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7) {
        ExchangeInt(pPX, L"CustomStyle", m_nCustomStyle, -1);
        // Older layouts stored "no custom style" as 0.
        if (bLoading && nSchema < 18 && m_nCustomStyle == 0)
            m_nCustomStyle = -1;
    }
    if (nSchema > 16)
        ExchangeInt(pPX, L"HelpId", m_nHelpId, 0);
    if (nSchema > 17)
        ExchangeInt(pPX, L"Style", m_nStyle, kButtonAutomatic);
    if (nSchema > 18) {
        ExchangeInt(pPX, L"Width", m_nWidth, 0);
        ExchangeInt(pPX, L"Height", m_nHeight, 0);
        ExchangeInt(pPX, L"ExecuteOnPressInterval", m_nExecuteOnPressInterval, 0);
    }
    if (nSchema > 22)
        ExchangeString(pPX, L"ShortcutTextAuto", m_strShortcutTextAuto, L"");
    if (nSchema > 23)
        ExchangeString(pPX, L"KeyboardTip", m_strKeyboardTip, L"");
    if (nSchema > 25) {
        SIZE szIcon = m_szIcon;
        ExchangeSize(pPX, L"IconSize", szIcon, SIZE{0, 0});
        m_szIcon = szIcon;
    }
    if (!bLoading)
        return;
    const auto* pParam = static_cast<const BarsExchangeParam*>(pPX->m_pExchangeParam);
    CTkCommandBars* pCommandBars =
        pParam != nullptr && pParam->pCommandBars != nullptr ? pParam->pCommandBars : GetCommandBars();
    if (pCommandBars != nullptr) {
        if (CTkControlAction* pAction = pCommandBars->FindAction(m_nId))
            SetAction(pAction);
    }
    OnCaptionChanged();
}

void CTkControl::ActivateByKey() {
    Execute();
}

BOOL CTkControl::IsPopupOpen() const {
    return FALSE;
}

int CTkControl::SetAction(CTkControlAction* pAction) {
    if (m_pAction != nullptr) {
        m_pAction->DetachControl(this);
        m_pAction = nullptr;
    }
    if (pAction == nullptr)
        return 0;
    m_pAction = pAction;
    return pAction->AttachControl(this);
}

void CTkControl::OnMetricsChanged() {}

void CTkControl::SetWidth(int nWidth) {
    if (nWidth == m_nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CTkControl::SetHeight(int nHeight) {
    if (nHeight == m_nHeight)
        return;
    m_nHeight = nHeight;
    DelayLayoutParent();
}

CSize CTkControl::GetButtonSize() const {
    return m_pParent != nullptr ? m_pParent->GetButtonSize() : CSize(0, 0);
}

CSize CTkControl::GetIconSize() const {
    if (m_szIcon.cx != 0 || m_szIcon.cy != 0)
        return m_szIcon;
    return m_pParent != nullptr ? m_pParent->GetIconSize() : CSize(0, 0);
}

void CTkControl::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    m_nId = pSource->m_nId;
    SetAction(pSource->m_pAction);
    m_nTag = pSource->m_nTag;
    m_dwFlags = pSource->m_dwFlags;
    m_nType = pSource->m_nType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltipText = pSource->m_strTooltipText;
    m_strDescriptionText = pSource->m_strDescriptionText;
    m_strParameter = pSource->m_strParameter;
    m_strKeyboardTip = pSource->m_strKeyboardTip;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_nHelpId = pSource->m_nHelpId;
    m_bTemporary = pSource->m_bTemporary;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    m_dwHideFlags = pSource->m_dwHideFlags;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_nEnabled = pSource->m_nEnabled;
    m_nChecked = pSource->m_nChecked;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_nStyle = pSource->m_nStyle;
    m_nWidth = std::max(pSource->m_nWidth, GetCustomizeMinWidth());
    m_nHeight = pSource->m_nHeight;
    m_szIcon = pSource->m_szIcon;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pSource->m_nExecuteOnPressInterval;
    m_docTemplatesAssigned.CopyFrom(pSource->m_docTemplatesAssigned);
    m_docTemplatesExcluded.CopyFrom(pSource->m_docTemplatesExcluded);
    OnCaptionChanged();
}

void CTkControl::HandleClick(BOOL bKeyboard, CPoint pt) {}

BOOL CTkControl::TakesFocusOnTab() const {
    return FALSE;
}

int CTkControl::HandleFocusedKey(UINT nKey) {
    return 0;
}

BOOL CTkControl::HandleMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    return FALSE;
}

void CTkControl::SetParent(CTkCommandBar* pParent) {
    m_pParent = pParent;
}

BOOL CTkControl::SetPopupOpen(BOOL bOpen) {
    return FALSE;
}

void CTkControl::HandleButtonUp(CPoint pt) {}

BOOL CTkControl::HandleRightButtonDown(CPoint pt) {
    return FALSE;
}

BOOL CTkControl::HandleRightButtonUp(CPoint pt) {
    return FALSE;
}

BOOL CTkControl::HandleDoubleClick(CPoint pt) {
    HandleClick(FALSE, pt);
    return TRUE;
}

void CTkControl::HandleMouseMove(CPoint pt) {}

void CTkControl::HandleHoverDelay() {
    if (m_pParent == nullptr)
        return;
    const BOOL bHadPopup = m_pParent->GetPopupedIndex() != -1;
    m_pParent->PopupControl(-1);
    if (bHadPopup && m_pParent->GetTrackingMode() == kTrackingPopup && m_pParent->GetPosition() != kBarPopup)
        m_pParent->EndTracking();
}

BOOL CTkControl::SetSelected(int nSelected) {
    if (nSelected == m_nSelected)
        return FALSE;
    // A keyboard selection closes the popup another control of the bar has open.
    if ((nSelected == 2 || nSelected == 3) && m_pParent != nullptr) {
        const int nPopuped = m_pParent->GetPopupedIndex();
        if (nPopuped != -1 && m_pParent->GetControl(nPopuped) != this)
            m_pParent->PopupControl(-1);
    }
    m_nSelected = nSelected;
    if (m_pParent != nullptr)
        m_pParent->OnControlSelected(nSelected != 0, this);
    const BOOL bQuietDisabled = !GetEnabled() && (nSelected == 1 || nSelected == 4 || nSelected == 5);
    if (!bQuietDisabled)
        RedrawParent(nSelected == 0);
    return TRUE;
}

void CTkControl::StartCustomizeDrag(CPoint pt) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (m_pParent == nullptr || pCommandBars == nullptr)
        return;
    if (pCommandBars->GetCustomizeSelection() == this && CanCustomizeResize() && TrackCustomizeResize(pt))
        return;
    // A moved or dropped-off control is removed from its collection below, which may release it.
    CCmdTargetRef keepAlive(this);
    pCommandBars->SetCustomizeSelection(this);
    CTkControlDragTracker* pTracker = pCommandBars->GetDragTracker();
    const int nResult = pTracker != nullptr ? pTracker->DragControl(this, FALSE) : kDragCancelled;
    CTkCommandBar* pBar = m_pParent;
    CTkControls* pControls = m_pControls;
    if ((nResult == kDragNone || nResult == kDragMoved) && pBar != nullptr && pControls != nullptr) {
        pBar->PopupControl(-1);
        pBar->SetSelected(-1);
        if (pCommandBars->GetCustomizeSelection() == this)
            pCommandBars->SetCustomizeSelection(nullptr);
        if (m_bBeginGroup) {
            if (CTkControl* pNext = pControls->GetAt(m_nIndex + 1))
                pNext->SetBeginGroup(TRUE);
        }
        if (m_nIndex == 0) {
            if (CTkControl* pNext = pControls->GetAt(1))
                pNext->SetBeginGroup(FALSE);
        }
        pControls->Remove(this);
        pBar->RecalcLayout();
    }
    // Repaints whatever is selected now (the dropped copy after a move).
    pCommandBars->SetCustomizeSelection(pCommandBars->GetCustomizeSelection());
}

BOOL CTkControl::TrackCustomizeResize(CPoint pt) {
    const ResizeEdge edge = HitResizeEdge(m_rcControl, pt);
    if (edge == kEdgeNone || m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    RunCustomizeResize(pt, edge == kEdgeLeft);
    return TRUE;
}

void CTkControl::RunCustomizeResize(CPoint pt, BOOL bLeftEdge) {
    CTkCommandBar* pBar = m_pParent;
    CTkCommandBars* pCommandBars = GetCommandBars();
    CCmdTargetRef keepAlive(this);
    // The selection frame would cross the tracker: suspend it while resizing.
    CTkControl* pSelection = pCommandBars != nullptr ? pCommandBars->GetCustomizeSelection() : nullptr;
    CCmdTargetRef keepSelection(pSelection);
    if (pSelection != nullptr)
        pCommandBars->SetCustomizeSelection(nullptr);
    pBar->Redraw();
    pBar->UpdateWindow();

    CRect rcTrack = m_rcControl;
    pBar->ClientToScreen(&rcTrack);
    const int nOffset = bLeftEdge ? pt.x - m_rcControl.left : pt.x - m_rcControl.right;
    const int nMinWidth = GetCustomizeMinWidth();
    BOOL bAccepted = FALSE;
    {
        CResizeLoopGuard guard(pBar);
        ::SetCursor(GetResourceManager()->LoadCursor(kIdResizeCursor));
        HWND hwndDesktop = ::GetDesktopWindow();
        HDC hdcDesktop = ::GetDCEx(hwndDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        CDC* pDC = CDC::FromHandle(hdcDesktop);
        if (pDC != nullptr)
            DrawResizeTracker(pDC, rcTrack);
        // A lost capture or a quit ends the loop as a cancel (the quit goes back to the queue).
        while (::GetCapture() == pBar->GetSafeHwnd()) {
            MSG msg;
            if (!::GetMessageW(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message == WM_LBUTTONUP) {
                bAccepted = TRUE;
                break;
            }
            if (msg.message == WM_MOUSEMOVE) {
                CPoint ptMove(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                ::ClientToScreen(msg.hwnd, &ptMove);
                pBar->ScreenToClient(&ptMove);
                CRect rcNew = m_rcControl;
                if (bLeftEdge)
                    rcNew.left = std::min(ptMove.x - nOffset, rcNew.right - nMinWidth);
                else
                    rcNew.right = std::max(ptMove.x - nOffset, rcNew.left + nMinWidth);
                pBar->ClientToScreen(&rcNew);
                if (pDC != nullptr && rcNew != rcTrack) {
                    DrawResizeTracker(pDC, rcTrack);
                    DrawResizeTracker(pDC, rcNew);
                }
                rcTrack = rcNew;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pDC != nullptr) {
            DrawResizeTracker(pDC, rcTrack);
            ::ReleaseDC(hwndDesktop, hdcDesktop);
        }
    }
    if (pSelection != nullptr && pCommandBars != nullptr)
        pCommandBars->SetCustomizeSelection(pSelection);
    if (bAccepted && rcTrack.Width() != m_rcControl.Width() && m_pParent == pBar) {
        int nWidth = rcTrack.Width();
        CTkPaintManager* pPaintManager = GetPaintManager();
        if (pBar->GetType() == kBarTypePopup && pPaintManager != nullptr)
            nWidth -= pPaintManager->GetPopupIconColumnWidth(pBar);
        SetWidth(nWidth);
        pBar->RecalcLayout();
    }
    pBar->Redraw();
}

void CTkControl::HandleCustomizeDragOver(CTkControl* pDragged, CPoint pt, int& nDropEffect) {
    if (m_pParent == nullptr)
        return;
    m_pParent->PopupControl(-1);
    m_pParent->SetSelected(-1);
}

BOOL CTkControl::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    return TRUE;
}

int CTkControl::CanCustomizeResize() const {
    return 0;
}

int CTkControl::GetCustomizeMinWidth() const {
    return 0;
}

int CTkControl::GetCustomizeMinHeight() const {
    return 0;
}

void CTkControl::BeforeIdleUpdate() {}

void CTkControl::OnRemoved() {
    SetAction(nullptr);
}

INT_PTR CTkControl::HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo) {
    return -1;
}

BOOL CTkControl::CanCustomizeMove() const {
    if (m_pParent != nullptr && m_pParent->IsCustomizable() && (m_dwFlags & kControlFlagNoMove) == 0)
        return TRUE;
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeAnyControl();
}

void CTkControl::ResolveCommandBarId(CTkCommandBarList* pList) {}

void CTkControl::CollectSubBars(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    if (CTkCommandBar* pSubBar = GetCommandBar())
        pSubBar->CollectBarsForSave(nCounter, pList, pParam);
}

void CTkControl::OnActionChanged(int nProperty) {
    if (nProperty == kActionPropertyCaption)
        OnCaptionChanged();
}

void CTkControl::OnActionChanging(int nProperty) {}

void CTkControl::OnCaptionChanged() {}

CTkControl* CTkControl::Clone(BOOL bRecursive) {
    auto* pClone = static_cast<CTkControl*>(GetRuntimeClass()->CreateObject());
    pClone->CopyFrom(this, bRecursive);
    return pClone;
}

// ---- Accessibility

HRESULT CTkControl::GetAccessibleParent(IDispatch** ppdispParent) {
    if (m_pParent == nullptr)
        return E_FAIL;
    return ReturnDispatch(m_pParent, ppdispParent);
}

HRESULT CTkControl::GetAccessibleChildCount(long* pcountChildren) {
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetCommandBar() != nullptr ? 1 : 0;
    return S_OK;
}

HRESULT CTkControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
    CTkCommandBar* pSubBar = GetCommandBar();
    if (pSubBar == nullptr || GetChildIdFromVariant(&varChild) != 1)
        return E_INVALIDARG;
    return ReturnDispatch(pSubBar, ppdispChild);
}

HRESULT CTkControl::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    CString strName = GetCaption();
    RemoveMnemonicMarkers(strName);
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    if (strName.IsEmpty())
        strName = GetTooltip();
    return ReturnText(strName, pszName);
}

HRESULT CTkControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) {
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnText(GetDescription(), pszDescription);
}

HRESULT CTkControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
    if (pvarRole == nullptr)
        return E_POINTER;
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return E_FAIL;
    const int nBarType = m_pParent->GetType();
    long nRole = ROLE_SYSTEM_MENUITEM;
    if (nBarType == kBarTypeNormal || nBarType == kBarTypeRibbon)
        nRole = GetCommandBar() != nullptr ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = nRole;
    return S_OK;
}

HRESULT CTkControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
    if (pvarState == nullptr)
        return E_POINTER;
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != 0)
        nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
    if (m_pParent == nullptr || !m_pParent->IsVisible() || !IsVisible(0))
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (GetPressed())
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != nullptr)
        nState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CTkControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnText(L"Click", pszDefaultAction);
}

HRESULT CTkControl::AccessibleSelect(long flagsSelect, VARIANT varChild) {
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == nullptr)
        return E_FAIL;
    m_pParent->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    m_pParent->SetSelected(m_nIndex, 2);
    return S_OK;
}

HRESULT CTkControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) {
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return E_FAIL;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CTkControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    if (pvarChild == nullptr)
        return E_POINTER;
    pvarChild->vt = VT_EMPTY;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return S_FALSE;
    CRect rcWindow;
    m_pParent->GetWindowRect(&rcWindow);
    const CPoint ptScreen(xLeft, yTop);
    if (!rcWindow.PtInRect(ptScreen))
        return S_FALSE;
    CPoint pt = ptScreen;
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

HRESULT CTkControl::AccessibleDoDefaultAction(VARIANT varChild) {
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    HandleClick(TRUE, CPoint(0, 0));
    return S_OK;
}
