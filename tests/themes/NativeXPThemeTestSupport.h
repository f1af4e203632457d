#pragma once
#include "ThemeTestSupport.h"
#include "TkDockBar.h"
#include "TkNativeXPTheme.h"

#include <vector>

// A control whose selection and open popup the test sets directly (no notifications), with a field.
class CStateControl : public CTestFieldControl {
public:
    int GetSelected() const override { return m_nSelected; }
    BOOL IsPopupOpen() const override { return m_bOpen; }

    int m_nSelected = 0;
    BOOL m_bOpen = FALSE;
};

// The theme fixture's pinned default theme given the native XP theme's settings, beside a pinned native
// XP theme, and a top dock bar on the site.
class NativeXPThemeFixture : public ThemeFixture {
protected:
    void SetUp() override {
        ThemeFixture::SetUp();
        m_pNative = new CTkNativeXPTheme;
        PinTheme(m_pNative);
        m_pTheme->m_bIconEffects[0] = TRUE;
        m_pTheme->m_bIconEffects[2] = FALSE;
        m_pTheme->m_nMenuTextColor = COLOR_MENUTEXT;
        m_pTheme->m_bStatusVisualStyle = TRUE;
        m_pTheme->m_bButtonVisualStyle = TRUE;
        m_pTheme->m_bFullRowPopupHighlight = TRUE;
        m_pTheme->m_bBoldCheckMarks = TRUE;
        PinTheme(m_pTheme);
        ASSERT_TRUE(m_dockBar.Create(m_pSite, WS_CHILD | kDockStyleTop, 0xE81B));
        m_dockBar.MoveWindow(0, 0, 300, 60);
    }
    void TearDown() override {
        m_dockBar.DestroyWindow();
        m_pNative->InternalRelease();
        ThemeFixture::TearDown();
    }
    CStateControl* AddStateControl() { return Append(new CStateControl); }

    // A popup menu and a toolbar drawn by a native theme in the system's colours as their bars draw
    // themselves, saved as /tmp/native-xp-popup-<suffix>.png and /tmp/native-xp-toolbar-<suffix>.png for a
    // person to look at.
    void SavePictures(LPCWSTR pszSuffix) {
        auto* pTheme = new CTkNativeXPTheme;
        pTheme->RefreshMetrics();
        SetHubPaintManager(m_pCommandBars, pTheme);
        pTheme->InternalRelease();
        const auto draw = [&](int nType, int nPosition, CSize size, LPCWSTR pszName) {
            SetBar(nType, nPosition);
            m_pBar->MoveWindow(0, 0, size.cx, size.cy);
            CScopedMemDC dc(size.cx, size.cy);
            m_pBar->DrawCommandBar(&dc, CRect(CPoint(0, 0), size));
            CString strPath;
            strPath.Format(L"/tmp/native-xp-%s-%s.png", pszName, pszSuffix);
            WritePng(dc, strPath);
        };
        struct Item {
            LPCWSTR pszCaption;
            int nType;
            int nSelected;
            int nEnabled;
            int nChecked;
            BOOL bBeginGroup;
        };
        const Item items[] = {{L"&Open", kControlButton, 1, 1, 0, FALSE},
                              {L"&Wrap lines", kControlButton, 0, 1, 1, FALSE},
                              {L"&Print", kControlButton, 0, 0, 0, FALSE},
                              {L"Recent", kControlPopup, 0, 1, 0, TRUE},
                              {L"E&xit", kControlButton, 0, 1, 0, TRUE}};
        std::vector<CStateControl*> controls;
        for (const Item& item : items) {
            CStateControl* pControl = AddStateControl();
            pControl->SetType(item.nType);
            pControl->SetCaption(item.pszCaption);
            pControl->SetStyle(kButtonCaption);
            pControl->m_nSelected = item.nSelected;
            pControl->SetEnabled(item.nEnabled);
            pControl->SetChecked(item.nChecked);
            pControl->SetBeginGroup(item.bBeginGroup);
            controls.push_back(pControl);
        }
        // The popup: rows of 22 below a border of 3, a separator's 8 pixels before each group.
        int y = 3;
        for (CStateControl* pControl : controls) {
            y += pControl->GetBeginGroup() ? 8 : 0;
            pControl->SetRect(CRect(3, y, 157, y + 22));
            pControl->SetRowRect(pControl->GetRect());
            y += 22;
        }
        draw(kBarTypePopup, kBarPopup, CSize(160, y + 3), L"popup");
        // The toolbar: buttons of 50 after the gripper, a separator's 6 pixels before each group.
        int x = 10;
        for (CStateControl* pControl : controls) {
            x += pControl->GetBeginGroup() ? 6 : 0;
            pControl->SetRect(CRect(x, 2, x + 50, 24));
            pControl->SetRowRect(CRect(10, 2, 300, 24));
            x += 50;
        }
        draw(kBarTypeNormal, kBarTop, CSize(x + 4, 26), L"toolbar");
        SetHubPaintManager(m_pCommandBars, m_pTheme);
    }

    CTkNativeXPTheme* m_pNative = nullptr;
    CTkDockBar m_dockBar;
};
