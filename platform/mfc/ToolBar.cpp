#include "ToolBar.h"
#include "CmdUI.h"
#include "FrameWnd.h"

#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// A button's update: Enable and SetCheck change the button's state, texts stay.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBarCtrl& ctrl) : m_ctrl(ctrl) {}

    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        const int nID = static_cast<int>(m_nID);
        if (!m_ctrl.IsButtonEnabled(nID) != !bOn)
            m_ctrl.EnableButton(nID, bOn);
    }
    void SetCheck(int nCheck) override {
        const int nID = static_cast<int>(m_nID);
        const int nState = m_ctrl.GetState(nID);
        if (nState == -1)
            return;
        UINT nNewState = static_cast<UINT>(nState) & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
        if (nCheck == 1)
            nNewState |= TBSTATE_CHECKED;
        else if (nCheck == 2)
            nNewState |= TBSTATE_INDETERMINATE;
        if (nNewState != static_cast<UINT>(nState))
            m_ctrl.SetState(nID, nNewState);
    }
    void SetText(LPCTSTR) override {}

private:
    CToolBarCtrl& m_ctrl;
};

TBBUTTONINFOW ButtonInfoByIndex(DWORD dwMask) {
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = dwMask | TBIF_BYINDEX;
    return info;
}

}  // namespace

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    m_rcBorders = rcBorders;
    DWORD dwWndStyle = TakeBarStyle(dwStyle) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::Create(TOOLBARCLASSNAMEW, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const {
    m_toolBarCtrl.m_hWnd = m_hWnd;
    return m_toolBarCtrl;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    for (int i = ctrl.GetButtonCount(); i > 0; --i)
        ctrl.DeleteButton(i - 1);

    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[i];
        const UINT nID = lpIDArray != nullptr ? lpIDArray[i] : 0;
        if (nID == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.idCommand = static_cast<int>(nID);
            button.iBitmap = iImage++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
    }
    return buttons.empty() || ctrl.AddButtons(nIDCount, buttons.data());
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    TBBUTTONINFOW info = ButtonInfoByIndex(TBIF_COMMAND | TBIF_STYLE | TBIF_IMAGE);
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(nStyle);
    info.iImage = iImage;
    GetToolBarCtrl().SetButtonInfo(nIndex, &info);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON button = {};
    GetToolBarCtrl().GetButton(nIndex, &button);
    nID = static_cast<UINT>(button.idCommand);
    nStyle = button.fsStyle;
    iImage = button.iBitmap;
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button = {};
    GetToolBarCtrl().GetButton(nIndex, &button);
    return static_cast<UINT>(button.idCommand);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
    TBBUTTONINFOW info = ButtonInfoByIndex(TBIF_TEXT);
    info.pszText = const_cast<LPWSTR>(lpszText);
    return GetToolBarCtrl().SetButtonInfo(nIndex, &info);
}

CString CToolBar::GetButtonText(int nIndex) const {
    // TB_GETBUTTONTEXT wants a command id and a buffer sized by asking first.
    TBBUTTON button = {};
    GetToolBarCtrl().GetButton(nIndex, &button);
    CString text;
    const LRESULT nLength = SendMessage(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand));
    if (nLength > 0) {
        SendMessage(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                    reinterpret_cast<LPARAM>(text.GetBuffer(static_cast<int>(nLength))));
        text.ReleaseBuffer(static_cast<int>(nLength));
    }
    return text;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    ctrl.SetBitmapSize(CSize(sizeImage));
    ctrl.SetButtonSize(CSize(sizeButton));
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    SIZE sizeButtons = {};
    GetToolBarCtrl().GetMaxSize(&sizeButtons);
    return CSize(bStretch && bHorz ? 32767 : sizeButtons.cx, bStretch && !bHorz ? 32767 : sizeButtons.cy);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    CToolCmdUI state(ctrl);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(ctrl.GetButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button = {};
        if (!ctrl.GetButton(static_cast<int>(state.m_nIndex), &button) || (button.fsStyle & BTNS_SEP))
            continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
