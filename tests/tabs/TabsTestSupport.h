#pragma once
#include "DibPixels.h"
#include "TkDCWrappers.h"
#include "TkTabAppearanceSet.h"
#include "TkTabColorSet.h"
#include "TkTabManager.h"
#include "TkTabPaintManager.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The tab tests drive rows hosted by the test (CTestTabRow) on a hidden window (CScriptWindow) that
// also runs posted scripts: messages posted before a mouse loop starts are what the loop then reads.
// Colours are pinned per role (PinColors), so a pixel names the role that painted it, and the tab font
// is Tahoma -11 with 16 x 16 icons, which makes rows 20 pixels high.

// ---- Pinned colours of the roles
constexpr COLORREF kPinHeader = RGB(220, 221, 222);
constexpr COLORREF kPinControlFace = RGB(230, 231, 232);
constexpr COLORREF kPinFrameBorder = RGB(120, 60, 1);
constexpr COLORREF kPinTabHighlight = RGB(250, 250, 1);
constexpr COLORREF kPinSelectedTab = RGB(100, 200, 201);
constexpr COLORREF kPinNormalTab = RGB(200, 200, 101);
constexpr COLORREF kPinHotTab = RGB(200, 100, 201);
constexpr COLORREF kPinPageLight = RGB(250, 10, 11);
constexpr COLORREF kPinPageShadow = RGB(10, 250, 11);
constexpr COLORREF kPinPageDark = RGB(10, 10, 251);
constexpr COLORREF kPinTabBorder = RGB(60, 1, 120);
constexpr COLORREF kPinSelectedTabBorder = RGB(1, 60, 120);
constexpr COLORREF kPinTabFaceStart = RGB(1, 120, 60);
constexpr COLORREF kPinTabFaceEnd = RGB(120, 1, 60);
constexpr COLORREF kPinSelectedText = RGB(3, 3, 3);
// Excel colours n of the selected block and of the other block.
COLORREF PinExcelSelected(int n);
COLORREF PinExcelOther(int n);
// What a DIB holds before anything is drawn.
constexpr COLORREF kSentinel = RGB(17, 34, 51);

// Sets the custom value of every role above on the paint manager's colour set.
void PinColors(CTkTabPaintManager* pPaintManager);
// The tab font: Tahoma -11 (and its vertical forms), kept through refreshes.
void PinFont(CTkTabPaintManager* pPaintManager);

// ---- A hidden window that runs posted scripts
class CScriptWindow {
public:
    CScriptWindow();
    ~CScriptWindow();
    CScriptWindow(const CScriptWindow&) = delete;
    CScriptWindow& operator=(const CScriptWindow&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    // Posts a message to the window.
    void Post(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void PostMove(int x, int y) const { Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void PostRelease(int x, int y) const { Post(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void PostKey(UINT nKey) const { Post(WM_KEYDOWN, nKey, 0); }
    // Posts a call that runs when the window dispatches it.
    void PostCall(std::function<void()> fn) const;
    // Posts a call that runs from a timer nDelay ms from now (posted messages would come first).
    void CallLater(UINT nDelay, std::function<void()> fn);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    std::function<void()> m_later;
};

// ---- A tab row hosted by the test
class CTestTabRow : public CTkTabManager {
public:
    // Uses pPaintManager (one more reference) or a new one with pinned font and colours; attaches to it.
    explicit CTestTabRow(CTkTabPaintManager* pPaintManager = nullptr);
    ~CTestTabRow() override;

    void Reposition() override;
    CTkTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(const RECT*, BOOL) override { ++m_nRedraws; }
    BOOL DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    BOOL OnBeforeItemClick(CTkTabManagerItem* pItem) override;
    void OnItemClick(CTkTabManagerItem* pItem) override;
    void OnNavigateButtonCommand(int nId) override { m_commands.push_back(nId); }
    BOOL HasFocus() const override { return m_bFocus; }

    // Lays the row out in rc (and at every Reposition after).
    void Layout(const CRect& rc);
    // Appends tabs captioned "<prefix> 1", "<prefix> 2", ...
    void AddTabs(int nCount, LPCWSTR pszPrefix = L"Tab");
    // Paints the row into a new sentinel-filled DIB of the control's size.
    void Paint(CScopedMemDC& dc);

    CTkTabPaintManager* m_pPaintManager;  // one reference
    CRect m_rcControl;
    int m_nRepositions = 0;
    int m_nRedraws = 0;
    BOOL m_bIcons = TRUE;
    BOOL m_bAllowClick = TRUE;
    BOOL m_bFocus = FALSE;
    std::vector<CTkTabManagerItem*> m_asked;    // OnBeforeItemClick arguments
    std::vector<CTkTabManagerItem*> m_clicked;  // OnItemClick arguments
    std::vector<int> m_commands;                // navigate-button commands
};

// A tab whose freed memory is poisoned and never handed out again; counts its destructions.
class CPoisonedItem : public CTkTabManagerItem {
public:
    ~CPoisonedItem() override { ++s_nDestroyed; }
    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize);
    static int s_nDestroyed;
};

// The Office 2007 look of the tests (fixtures/TabLook.rc), made current for a scope; none afterwards.
class CTestLook {
public:
    CTestLook();
    ~CTestLook();
    CTestLook(const CTestLook&) = delete;
    CTestLook& operator=(const CTestLook&) = delete;
    BOOL IsLoaded() const;
};
// Band colours of the test look's images.
COLORREF RibbonTabBand(int nState);  // 6 states
COLORREF AccessTabBand(int nState);  // 4 states
constexpr COLORREF kLookRibbonGroups = RGB(40, 140, 240);
constexpr COLORREF kLookRibbonFace = RGB(191, 219, 255);
constexpr COLORREF kLookFrameBorder = RGB(101, 147, 207);

// Writes the DIB as a PNG under /tmp for a person to look at (ignored when GDI+ cannot).
void SavePicture(const CScopedMemDC& dc, LPCWSTR pszName);
