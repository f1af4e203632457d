#pragma once
#include "TkControls.h"

#include "mfc.h"

// The ribbon's two control collections. CTkRibbonControls holds every control the ribbon shows and
// protects its structural controls; it keeps groups and the quick-access toolbar consistent when a control
// leaves. CTkRibbonQuickAccessControls is the quick-access toolbar's list, whose members are mirrored into
// the ribbon's collection. Both are owned by the ribbon. UI thread.

class CTkRibbonBar;

class CTkRibbonControls : public CTkControls {
    DECLARE_DYNCREATE(CTkRibbonControls)
public:
    CTkRibbonControls();

    // Empties itself, then appends copies of the source's savable controls.
    void CopyFrom(CTkControls* pOther, BOOL bRecursive) override;
    // Never temporary controls, group members, the system button, quick-access copies and buttons, the
    // tab control or the scroll buttons.
    BOOL IsSavable(const CTkControl* pControl) const override;
    // Takes the control out of its group and of the quick-access list.
    void OnControlRemoved(CTkControl* pControl) override;
    // The group buttons, the tab control, the quick-access buttons and the scroll buttons stay.
    BOOL IsProtected(const CTkControl* pControl) const override;

    CTkRibbonBar* GetRibbonBar() const;
};

class CTkRibbonQuickAccessControls : public CTkControls {
public:
    CTkRibbonQuickAccessControls();

    // Removes the control from this list and from the ribbon's.
    void Remove(CTkControl* pControl) override;
    // Mirrors the control into the ribbon's collection.
    void OnControlAdded(CTkControl* pControl) override;
    void OnControlRemoved(CTkControl* pControl) override;
    // Gives every member the ribbon as parent bar.
    void RefreshIndexes() override;

    // The first member with the control's id, visible under kHideWrap, of the same type and class.
    CTkControl* FindDuplicate(const CTkControl* pControl) const;
    CTkRibbonBar* GetRibbonBar() const;
};
