#pragma once
#include "BarFixtures.h"
#include "DibPixels.h"
#include "TkControlButton.h"
#include "TkControlField.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkDefaultTheme.h"

#include "mfc.h"

#include <gtest/gtest.h>

// The themes' tests draw with a default theme whose colours and fonts are pinned: each of the 63 table
// entries has a distinct custom colour (PinnedColor), so a pixel names the entry that painted it, and the
// regular font is Tahoma -11, kept through refreshes. Sizes are judged by GDI's own text extents.

// The custom colour pinned on entry nIndex.
COLORREF PinnedColor(int nIndex);
// A paint manager's colours and regular font pinned, then refreshed as an installation would.
void PinTheme(CTkPaintManager* pPaintManager);
// The regular font the pinned themes use.
LOGFONTW PinnedFont();
// GDI's extent of a text in a font (the screen's metrics).
CSize TextExtent(CFont* pFont, LPCWSTR pszText);

// One reference on a paint manager, released at the end of the scope.
class CPaintManagerRef {
public:
    explicit CPaintManagerRef(CTkPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}
    ~CPaintManagerRef() { m_pPaintManager->InternalRelease(); }
    CPaintManagerRef(const CPaintManagerRef&) = delete;
    CPaintManagerRef& operator=(const CPaintManagerRef&) = delete;
    CTkPaintManager* operator->() const { return m_pPaintManager; }
    CTkPaintManager* Get() const { return m_pPaintManager; }

private:
    CTkPaintManager* m_pPaintManager;
};

// A pinned default theme installed on the hub of a bar with a hidden window (the test bars of
// tests/support), so that controls added to the bar measure and draw with it.
class ThemeFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the bar's kind and position (a popup bar is TypeOfBar 2 at position 5).
    void SetBar(int nType, int nPosition) { SetBarKind(m_pBar, nType, nPosition); }
    // A control of the class appended to the bar (the bar holds the reference).
    template <class T>
    T* Append(T* pControl) {
        m_pBar->GetControls()->Append(pControl);
        return pControl;
    }
    CTkControlButton* AddButton(int nType, LPCWSTR pszCaption, int nStyle);

    CTkDefaultTheme* m_pTheme = nullptr;  // referenced by the hub and this fixture
    CRecordingSite* m_pSite = nullptr;    // deletes itself with its window
    CTkCommandBars* m_pCommandBars = nullptr;
    CTkCommandBar* m_pBar = nullptr;
};

// A control with a field (the edit and combo-box controls' mixin) whose answers the test sets, and which
// records what the paint manager stores and asks of it.
class CTestFieldControl : public CTkControlButton, public CTkControlField {
public:
    int GetLabelWidth() const override { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) override { m_nLabelWidth = nWidth; }
    int GetDropButtonWidth() const override { return m_nDropButtonWidth; }
    void SetDropButtonWidth(int nWidth) override { m_nDropButtonWidth = nWidth; }
    BOOL IsEditable() const override { return TRUE; }
    BOOL IsEditFocused() const override { return FALSE; }
    BOOL IsDropped() const override { return m_bDropped; }
    CRect GetSpinButtonsRect() const override { return m_rcSpin; }
    void AddEditIconWidth(int&) const override {}
    void DrawEditIcon(CDC*, const CRect&) override {}
    void DrawFieldText(CDC*, const CRect& rc) override { m_rcText = rc; }

    int m_nLabelWidth = -1;
    int m_nDropButtonWidth = -1;
    BOOL m_bDropped = FALSE;
    CRect m_rcSpin;
    CRect m_rcText;  // where the field text was asked for
};

// A 16 x 16 icon of one colour (not alpha), for image states that show which image was drawn.
HICON MakeSolidIcon(COLORREF clr);
