#pragma once
#include "ImageList.h"
#include "Wnd.h"

// CToolBarCtrl: a toolbar control ("ToolbarWindow32"). Each member is one message to the control, so
// any thread may call it on a permanent toolbar.

class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Image lists (the previous list is answered as a temporary; the control never owns a list)
    CImageList* SetImageList(CImageList* pImageList) { return SetList(TB_SETIMAGELIST, pImageList); }
    CImageList* GetImageList() const { return GetList(TB_GETIMAGELIST); }
    CImageList* SetHotImageList(CImageList* pImageList) { return SetList(TB_SETHOTIMAGELIST, pImageList); }
    CImageList* GetHotImageList() const { return GetList(TB_GETHOTIMAGELIST); }
    CImageList* SetDisabledImageList(CImageList* pImageList) { return SetList(TB_SETDISABLEDIMAGELIST, pImageList); }
    CImageList* GetDisabledImageList() const { return GetList(TB_GETDISABLEDIMAGELIST); }

    // ---- Buttons
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) {
        return static_cast<BOOL>(
            SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(lpButtons)));
    }
    BOOL DeleteButton(int nIndex) {
        return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)));
    }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
        return static_cast<BOOL>(
            SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
    }
    // By command id, unless lpButtonInfo->dwMask has TBIF_BYINDEX.
    BOOL SetButtonInfo(int nID, TBBUTTONINFOW* lpButtonInfo) {
        return static_cast<BOOL>(
            SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpButtonInfo)));
    }
    int GetButtonInfo(int nID, TBBUTTONINFOW* lpButtonInfo) const {
        return static_cast<int>(
            SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpButtonInfo)));
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return static_cast<BOOL>(
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    // The index of the button with command nID, or -1.
    UINT CommandToIndex(UINT nID) const { return static_cast<UINT>(SendMessage(TB_COMMANDTOINDEX, nID)); }

    // ---- Button state by command id
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return StateMessage(TB_ENABLEBUTTON, nID, bEnable); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return StateMessage(TB_CHECKBUTTON, nID, bCheck); }
    BOOL PressButton(int nID, BOOL bPress = TRUE) { return StateMessage(TB_PRESSBUTTON, nID, bPress); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return StateMessage(TB_HIDEBUTTON, nID, bHide); }
    BOOL IsButtonEnabled(int nID) const {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(nID)));
    }
    BOOL IsButtonChecked(int nID) const {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONCHECKED, static_cast<WPARAM>(nID)));
    }
    // TBSTATE_* bits, or -1 for an unknown command.
    int GetState(int nID) const { return static_cast<int>(SendMessage(TB_GETSTATE, static_cast<WPARAM>(nID))); }
    BOOL SetState(int nID, UINT nState) { return StateMessage(TB_SETSTATE, nID, nState); }

    // ---- Sizes and styles
    BOOL SetBitmapSize(CSize size) {
        return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    BOOL SetButtonSize(CSize size) {
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    DWORD SetExtendedStyle(DWORD dwExStyle) {
        return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle)));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE)); }
    // The size all buttons need together.
    BOOL GetMaxSize(LPSIZE lpSize) const {
        return static_cast<BOOL>(SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(lpSize)));
    }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    void SetMaxTextRows(int iMaxRows) { SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(iMaxRows)); }

private:
    CImageList* SetList(UINT nMessage, CImageList* pImageList) {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
            nMessage, 0, reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr))));
    }
    CImageList* GetList(UINT nMessage) const {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(nMessage)));
    }
    BOOL StateMessage(UINT nMessage, int nID, UINT nValue) {
        return static_cast<BOOL>(SendMessage(nMessage, static_cast<WPARAM>(nID), MAKELPARAM(nValue, 0)));
    }
};
