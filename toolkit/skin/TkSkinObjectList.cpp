#include "TkSkinObjectList.h"

#include "TkSkinManager.h"
#include "TkSkinManagerApiHook.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectListBox, CTkSkinObjectUser32Control)
IMPLEMENT_DYNCREATE(CTkSkinObjectTreeView, CTkSkinObjectComCtl32Control)
IMPLEMENT_DYNCREATE(CTkSkinObjectListView, CTkSkinObjectComCtl32Control)

// ---- List box

CTkSkinObjectListBox::CTkSkinObjectListBox() {
    m_strClassName = L"LISTBOX";
    m_nCtlColorMessage = WM_CTLCOLORLISTBOX;
}

// ---- Tree view

CTkSkinObjectTreeView::CTkSkinObjectTreeView() {
    m_strClassName = L"TREEVIEW";
    m_nCtlColorMessage = WM_CTLCOLORLISTBOX;
}

void CTkSkinObjectTreeView::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    if (bNewState) {
        SendMessage(TVM_SETBKCOLOR, 0, GetColor(COLOR_WINDOW));
        SendMessage(TVM_SETTEXTCOLOR, 0, GetColor(COLOR_WINDOWTEXT));
        SendMessage(TVM_SETLINECOLOR, 0, GetColor(COLOR_GRAYTEXT));
    } else {
        // The control's own defaults.
        SendMessage(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(-1));
        SendMessage(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(-1));
        SendMessage(TVM_SETLINECOLOR, 0, CLR_DEFAULT);
    }
    CTkSkinObjectComCtl32Control::OnSkinChanged(bPrevState, bNewState);
}

BEGIN_MESSAGE_MAP(CTkSkinObjectTreeView, CTkSkinObjectComCtl32Control)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTkSkinObjectTreeView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    const int nResult = CTkSkinObjectComCtl32Control::OnCreate(lpCreateStruct);
    if (IsSkinEnabled()) {
        SendMessage(TVM_SETBKCOLOR, 0, GetColor(COLOR_WINDOW));
        SendMessage(TVM_SETTEXTCOLOR, 0, GetColor(COLOR_WINDOWTEXT));
    }
    return nResult;
}

// ---- List view

CTkSkinObjectListView::CTkSkinObjectListView() {
    m_strClassName = L"LISTVIEW";
    m_nCtlColorMessage = WM_CTLCOLORLISTBOX;
}

void CTkSkinObjectListView::SetColors(COLORREF clrBack, COLORREF clrText) {
    SendMessage(LVM_SETBKCOLOR, 0, clrBack);
    SendMessage(LVM_SETTEXTBKCOLOR, 0, clrBack);
    SendMessage(LVM_SETTEXTCOLOR, 0, clrText);
}

void CTkSkinObjectListView::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    if (bNewState)
        SetColors(GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOWTEXT));
    else
        SetColors(GetSystemColor(COLOR_WINDOW), GetSystemColor(COLOR_WINDOWTEXT));
    CTkSkinObjectComCtl32Control::OnSkinChanged(bPrevState, bNewState);
}

BEGIN_MESSAGE_MAP(CTkSkinObjectListView, CTkSkinObjectComCtl32Control)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTkSkinObjectListView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    const int nResult = CTkSkinObjectComCtl32Control::OnCreate(lpCreateStruct);
    if (IsSkinEnabled())
        SetColors(GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOWTEXT));
    return nResult;
}
