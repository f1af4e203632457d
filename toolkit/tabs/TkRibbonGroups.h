#pragma once
#include "mfc.h"

#include <vector>

// CTkRibbonGroups: the groups of one ribbon tab, in display order, and their layout across the group
// strip (reductions when they do not fit, growth when space is left, the scroll offset). Owned by its tab;
// holds one reference per group. UI thread.

class CTkPropExchange;
class CTkRibbonGroup;
class CTkRibbonScrollableBar;
class CTkRibbonTab;

class CTkRibbonGroups : public CCmdTarget {
public:
    explicit CTkRibbonGroups(CTkRibbonTab* pParentTab);
    // Removes every group.
    ~CTkRibbonGroups() override;

    int GetCount() const { return static_cast<int>(m_groups.size()); }
    // NULL out of range.
    CTkRibbonGroup* GetAt(int nIndex) const;
    CTkRibbonTab* GetParentTab() const { return m_pParentTab; }
    int GetScrollOffset() const { return m_nScrollOffset; }

    // Takes over the caller's reference; an index out of range appends. The group gets its tab's ribbon
    // and bar and is announced (OnAdded).
    void InsertAt(int nIndex, CTkRibbonGroup* pGroup);
    // A new group with the caption and id, appended.
    CTkRibbonGroup* Add(LPCWSTR pszCaption, int nId = -1);
    void RemoveAt(int nIndex);
    void RemoveAll();
    // Replaces the groups by copies of another collection's.
    void Copy(CTkRibbonGroups* pSource);
    // The first group visible in the ribbon whose rectangle holds the point; NULL when none.
    CTkRibbonGroup* HitTest(CPoint pt) const;
    // The first group with the id; NULL when none.
    CTkRibbonGroup* FindGroup(int nId) const;
    virtual void DoPropExchange(CTkPropExchange* pPX);

    // Lays the groups visible in the ribbon out in the width, reducing or growing them and scrolling through
    // pScrollable's offset; shows its scroll buttons. rcMargins: left and top are where the first group
    // starts, right the space kept at the right end (the width available is width - left - right).
    void Layout(CDC* pDC, CTkRibbonScrollableBar* pScrollable, int nWidth, const CRect& rcMargins);

protected:
    // Renumbers the groups' indexes.
    void RefreshIndexes();
    // One reduction: the gentlest step any group takes, asked from the last group; the group is measured
    // again. FALSE when no group can reduce any more.
    static BOOL ReduceOnce(CDC* pDC, const std::vector<CTkRibbonGroup*>& groups, std::vector<int>& widths, int nExcess);

    std::vector<CTkRibbonGroup*> m_groups;  // one reference each
    CTkRibbonTab* m_pParentTab;             // the owner (not referenced)
    int m_nScrollOffset = 0;                // applied at the last layout
};
