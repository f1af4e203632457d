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

// The theme refreshed with pinned colours, or with the real ones (and the pinned font).
template <class T>
T* RefreshedTheme(T* pTheme, BOOL bPinned) {
    if (bPinned) {
        PinTheme(pTheme);
    } else {
        const LOGFONTW lf = PinnedFont();
        pTheme->SetRegularFont(&lf, FALSE);
        pTheme->RefreshMetrics();
    }
    return pTheme;
}

// A gradient's standard colours and split, as the refresh should leave them.
struct GradientRow {
    COLORREF first;
    COLORREF second;
    float fFactor;
};

inline ::testing::AssertionResult SameGradient(const GradientRow& expected,
                                               const CTkPaintManagerColorGradient& actual) {
    if (actual.m_firstColor.m_standardValue == expected.first &&
        actual.m_secondColor.m_standardValue == expected.second && actual.m_splitFactor == expected.fFactor)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "got 0x" << actual.m_firstColor.m_standardValue << " -> 0x"
                                         << actual.m_secondColor.m_standardValue << " " << actual.m_splitFactor
                                         << ", expected 0x" << expected.first << " -> 0x" << expected.second << " "
                                         << expected.fFactor;
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
