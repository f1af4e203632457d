#pragma once
#include "ThemeTestSupport.h"
#include "TkOffice2003Theme.h"
#include "TkOfficeTheme.h"

// The Office themes' tests: the themes with every colour entry pinned to a distinct custom colour (see
// ThemeTestSupport.h), and the test bars of ThemeFixture painting through them.

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);  // in no pinned entry

inline void Clear(CScopedMemDC& dc) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
}

template <class T>
T* MakePinnedOfficeTheme() {
    auto* pTheme = new T;
    PinTheme(pTheme);
    return pTheme;
}

// A popup control whose open state the test sets without opening a sub bar.
class CShownPopupControl : public CTkControlPopup {
public:
    explicit CShownPopupControl(int nType) { SetType(nType); }
    void ShowOpen(BOOL bOpen) { m_bPopupOpen = bOpen; }
};

// ThemeFixture's bar and hub painting through a pinned Office or Office 2003 theme.
class OfficeThemeFixture : public ThemeFixture {
protected:
    void TearDown() override {
        SetHubPaintManager(m_pCommandBars, nullptr);
        ThemeFixture::TearDown();
    }
    // The hub takes a reference; the fixture's bar and controls paint with it.
    template <class T>
    T* UseTheme() {
        m_office.reset(MakePinnedOfficeTheme<T>());
        SetHubPaintManager(m_pCommandBars, m_office.get());
        return static_cast<T*>(m_office.get());
    }

    struct Release {
        void operator()(CTkPaintManager* p) const { p->InternalRelease(); }
    };
    std::unique_ptr<CTkPaintManager, Release> m_office;
};
