#pragma once
#include "TkControlPopup.h"
#include "TkTabManager.h"

#include "mfc.h"

// CTkRibbonControlTab: the ribbon's tab strip. As a popup control of the ribbon it joins the bar's keyboard
// navigation, focus, accessibility and, while the ribbon is minimised, pops the selected tab's groups up;
// as a tab manager it lays out and paints the ribbon's tabs. Temporary, held by the ribbon's controls.
// UI thread.

class CTkRibbonBar;
class CTkRibbonTab;

class CTkRibbonControlTab : public CTkControlPopup, public CTkTabManager {
    DECLARE_SERIAL(CTkRibbonControlTab)
public:
    CTkRibbonControlTab();
    ~CTkRibbonControlTab() override;

    CTkRibbonBar* GetRibbonBar() const;
    // The tab at the index; NULL out of range.
    CTkRibbonTab* GetTab(int nIndex) const;
    CTkRibbonTab* GetSelectedTab() const;
    // Pops the selected tab's groups up under a minimised ribbon.
    void PopupSelectedTab(BOOL bKeyboard);

    // ---- Control side
    void SetEnabled(int nEnabled) override;
    void Draw(CDC* pDC) override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    BOOL TakesFocusOnTab() const override;
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override;
    void ActivateByKey() override;
    BOOL SetSelected(int nSelected) override;
    int HandleFocusedKey(UINT nKey) override;
    BOOL SetPopupOpen(BOOL bOpen) override;
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;
    // The base fields, then the source's tabs copied (as tabs of this control's ribbon).
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    // The "Tab" items; a load replaces the tabs and fails with an archive error on an item whose class is
    // not a ribbon tab, leaving the tabs loaded before it.
    void ExchangeProperties(CTkPropExchange* pPX) override;

    // ---- Tab-manager side
    void Reposition() override;
    CString GetItemTooltip(const CTkTabManagerItem* pItem) const override;
    // The selection of a ribbon with a window: the ribbon may cancel it (OnTabChanging); the group hide
    // marks, the selection and the idle update run under one redraw lock; the site then hears code 100 and
    // accessibility the focus of the tab.
    void SelectItem(CTkTabManagerItem* pItem) override;
    CTkTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    BOOL IsMouseLocked() const override;
    BOOL HasFocus() const override;

    // ---- Accessibility: the strip and its tabs as children 1..count
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

protected:
    // The bar's window (NULL without one).
    HWND GetBarHwnd() const;
    // The tab of an accessibility child id 1..count; NULL for others.
    CTkRibbonTab* GetAccessibleTab(const VARIANT& varChild) const;

    BOOL m_bFocused = FALSE;
};
