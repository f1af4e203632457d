#pragma once
#include "Wnd.h"

// CButton: a button control ("BUTTON"): push buttons, check boxes, radio buttons, owner-drawn
// buttons. An owner-drawn button draws itself in DrawItem (WM_DRAWITEM reflected from its parent).
// Each other member is one message to the control.

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
    }

    // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
    // The BS_ type and option bits of the window style.
    UINT GetButtonStyle() const { return static_cast<UINT>(::GetWindowLongW(CheckedHwnd(), GWL_STYLE)) & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) {
        SendMessage(BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
    }
    // Each answers the previous image.
    HICON SetIcon(HICON hIcon) {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
    HBITMAP SetBitmap(HBITMAP hBitmap) {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }

    // Draws an owner-drawn (BS_OWNERDRAW) button; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {}

protected:
    DECLARE_MESSAGE_MAP()
};
