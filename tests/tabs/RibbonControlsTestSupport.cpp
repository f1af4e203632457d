#include "RibbonControlsTestSupport.h"

void CStateControl::SetStates(int nEnabled, int nSelected, int nPressed, BOOL bPopuped, int nChecked) {
    SetEnabled(nEnabled);
    m_nTestSelected = nSelected;
    m_nTestPressed = nPressed;
    m_bTestPopuped = bPopuped;
    SetChecked(nChecked);
}

void RibbonControls::SetUp() {
    BarFixture::SetUp();
    ASSERT_TRUE(m_look.IsLoaded());
    ASSERT_TRUE(m_dc.IsValid());
    Clear();
}

void RibbonControls::TearDown() {
    for (CTkControl* pControl : m_controls)
        pControl->InternalRelease();
    BarFixture::TearDown();
}

CStateControl* RibbonControls::MakeControl(int nType, const CRect& rc) {
    auto* pControl = new CStateControl;
    pControl->SetType(nType);
    pControl->SetRect(rc);
    m_controls.push_back(pControl);
    return pControl;
}

void RibbonControls::Clear() {
    m_dc.FillSolidRect(0, 0, m_dc.GetWidth(), m_dc.GetHeight(), kControlSentinel);
}
