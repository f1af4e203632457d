#pragma once
#include "TkControlDefs.h"

#include "mfc.h"

#include <vector>

// CTkControls: the ordered list of one bar's controls. It holds one reference per control and keeps
// every control's Index, collection and parent bar current; creates controls by type (the factory) and
// from menu items (the import); steps through them for the keyboard; lays them out (TkControlLayout.cpp);
// copies, compares and saves whole lists; and keeps an optional snapshot of the original controls, by
// which customisation is detected. Created by its bar and destroyed with it. UI thread.
//
// Controls are created by run-time class name, so every control class must be linked in:
// RegisterControlClasses references them (the application and the tests call it once).

class CTkCommandBar;
class CTkCommandBarList;
class CTkCommandBars;
class CTkControl;
class CTkOriginalControls;
class CTkPropExchange;

class CTkControls : public CCmdTarget {
    DECLARE_SERIAL(CTkControls)
public:
    CTkControls();
    // Removes every control and releases the original list.
    ~CTkControls() override;

    // ---- Relations
    CTkCommandBar* GetParent() const { return m_pParent; }  // not referenced
    // Stores the bar and renumbers the controls.
    void SetParent(CTkCommandBar* pParent);
    // The parent bar's hub, else the own one.
    CTkCommandBars* GetCommandBars() const;
    void SetCommandBars(CTkCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // ---- Contents
    int GetCount() const { return static_cast<int>(m_controls.size()); }
    // NULL out of range.
    CTkControl* GetAt(int nIndex) const;
    // Takes over the caller's reference; an index outside 0..count-1 appends.
    void InsertAt(CTkControl* pControl, int nBefore);
    void Append(CTkControl* pControl) { InsertAt(pControl, -1); }
    // The factory: a new control of the ControlType (see the .cpp), inserted; NULL when the type cannot be
    // made.
    CTkControl* Add(int nType, int nId, LPCWSTR pszParameter = nullptr, int nBefore = -1, BOOL bTemporary = FALSE);
    // Binds (or identifies) and inserts a control made elsewhere; the control back (NULL for NULL).
    CTkControl* Add(CTkControl* pControl, int nId, LPCWSTR pszParameter = nullptr, int nBefore = -1,
                    BOOL bTemporary = FALSE);
    CTkControl* InitAddedControl(CTkControl* pControl, int nId, LPCWSTR pszParameter, int nBefore, BOOL bTemporary);
    // A copy of the control (same class, CopyFrom) inserted at nBefore.
    CTkControl* AddCopy(CTkControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
    // Imports one menu item; NULL for the first-MDI-child command and for kinds that cannot be made.
    CTkControl* AddMenuItem(CMenu* pMenu, int nPosition);
    // Nothing for a control of another collection or a protected one; a selected control is deselected
    // in its bar first.
    virtual void Remove(CTkControl* pControl);
    void RemoveAt(int nIndex);
    // Last to first, every control that is not protected.
    void RemoveAll();
    // Changes a control's kind: popups among themselves in place, otherwise by a new control of the type
    // that takes the base fields. The control that holds the place afterwards.
    CTkControl* SetControlType(CTkControl* pControl, int nType);
    CTkControl* SetControlTypeAt(int nIndex, int nType);

    // ---- Finding
    // The first control of the type (0 any) and id (-1 any), visible when asked, searching each control's
    // sub bar right after it when bRecursive.
    CTkControl* FindControl(int nType, int nId, BOOL bVisibleOnly, BOOL bRecursive) const;
    CTkControl* FindById(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    // The first visible control whose Rect holds the point.
    CTkControl* HitTest(CPoint pt) const;
    // Controls wrapped away by the layout count as visible unless bExcludeWrapped.
    int GetVisibleCount(BOOL bExcludeWrapped) const;
    CTkControl* GetVisibleAt(int nIndex, BOOL bExcludeWrapped) const;
    // The next qualifying index from nStart in steps of nStep (+1 or -1), wrapping once; -1 when none.
    int GetNext(int nStart, int nStep, BOOL bSkipNoKeyboard = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bSkipRarelyUsed = FALSE) const;

    // ---- Copies, comparison, originals
    // Empties the list, then copies the non-temporary controls of the other and a duplicate of its
    // original list.
    virtual void CopyFrom(CTkControls* pOther, BOOL bRecursive);
    // A new collection of this class with copies of the non-temporary controls (one reference).
    CTkControls* Duplicate(BOOL bRecursive = FALSE) const;
    // Both lists, skipping temporary controls, pair up IsSameAs and end together.
    BOOL IsSameAs(const CTkControls* pOther) const;
    // No original list, or the controls differ from it.
    BOOL IsChanged() const;
    void SaveOriginalControls();
    // Takes over the list's reference; releases the old one.
    void SetOriginalControls(CTkOriginalControls* pOriginal);
    CTkOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    BOOL IsOriginal() const { return m_bOriginal; }

    // ---- Saving
    // The savable controls (class and keys each), then the original list, positionally.
    virtual void ExchangeProperties(CTkPropExchange* pPX);
    virtual BOOL IsSavable(const CTkControl* pControl) const;
    // Gives the sub bars of this list and of its original-list chain their ids and collects them.
    void CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam);
    // Turns the loaded sub-bar ids of this list and its original-list chain back into sub bars.
    void RestorePopupLinks(CTkCommandBarList* pList);

    // ---- Layout (TkControlLayout.cpp)
    // Lays out a toolbar or menu bar for a length and a LayoutMode (kLayoutStretch may be added); the size
    // with the borders. nMinThickness > 0 is the least size across the rows.
    CSize CalcToolbarLayout(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcBorders, int nMinThickness);
    // Lays out a popup bar in columns.
    CSize CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth, const CRect& rcBorders);

    // ---- Notifications from the list itself
    virtual void OnControlAdded(CTkControl* pControl);
    virtual void OnControlRemoved(CTkControl* pControl);
    // Whether the control may not be removed (the ribbon's collections refuse some).
    virtual BOOL IsProtected(const CTkControl* pControl) const;
    // Index, collection and parent bar of every control; then the bar's delayed layout.
    virtual void RefreshIndexes();

protected:
    // Takes the control out (no renumbering), its collection cleared and its removal announced.
    void Detach(CTkControl* pControl);

    CTkCommandBar* m_pParent = nullptr;                  // not referenced
    std::vector<CTkControl*> m_controls;                 // one reference each
    CTkCommandBars* m_pCommandBars = nullptr;            // used without a parent bar; not referenced
    CTkOriginalControls* m_pOriginalControls = nullptr;  // referenced
    BOOL m_bOriginal = FALSE;
};

// The snapshot of a bar's controls before customisation.
class CTkOriginalControls : public CTkControls {
    DECLARE_SERIAL(CTkOriginalControls)
public:
    CTkOriginalControls();
};

// References every control class of this library so that creation by name finds them.
void RegisterControlClasses();
