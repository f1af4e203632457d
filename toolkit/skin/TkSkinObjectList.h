#pragma once
#include "TkSkinObjectUser32Control.h"

// The list-type skin objects: list boxes (and the lists of combo boxes), tree views and list views keep
// drawing their items themselves. Their objects keep the scroll bars skinned and feed the common controls
// the skin's colours (when they are made while a skin is in force, and at every skin change); when the
// skin goes off, the controls get their own defaults back.
//
// Run on the thread that owns the control.

class CTkSkinObjectListBox : public CTkSkinObjectUser32Control {
    DECLARE_DYNCREATE(CTkSkinObjectListBox)
public:
    CTkSkinObjectListBox();
};

class CTkSkinObjectTreeView : public CTkSkinObjectComCtl32Control {
    DECLARE_DYNCREATE(CTkSkinObjectTreeView)
public:
    CTkSkinObjectTreeView();

    void OnSkinChanged(BOOL bPrevState, BOOL bNewState) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CTkSkinObjectListView : public CTkSkinObjectComCtl32Control {
    DECLARE_DYNCREATE(CTkSkinObjectListView)
public:
    CTkSkinObjectListView();

    void OnSkinChanged(BOOL bPrevState, BOOL bNewState) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    // The list's background, text background and text colours.
    void SetColors(COLORREF clrBack, COLORREF clrText);
};
