#include "DockFixture.h"

void DockFixture::SetUp() {
    BarFixture::SetUp();
    m_pCommandBars->CreateDockBars();
    Layout();
}

CTkToolBar* DockFixture::AddDockedBar(LPCWSTR pszTitle, int nButtons) {
    CTkToolBar* pBar = m_pCommandBars->AddToolBar(pszTitle, 0);
    if (pBar == nullptr)
        return nullptr;
    for (int i = 0; i < nButtons; ++i)
        pBar->GetControls()->Add(kControlButton, 100 + i);
    Layout();
    return pBar;
}

void DockFixture::Layout() {
    m_pSite->RecalcLayout();
}

Rows DockFixture::RowsOf(const CTkDockBar* pDockBar) {
    Rows rows;
    std::vector<CTkToolBar*> row;
    const std::vector<CTkToolBar*>& bars = pDockBar->GetBars();
    for (size_t i = 1; i < bars.size(); ++i) {
        if (bars[i] != nullptr) {
            row.push_back(bars[i]);
        } else {
            rows.push_back(row);
            row.clear();
        }
    }
    if (!row.empty())
        rows.push_back(row);  // an unterminated row shows as one
    return rows;
}

CRect DockFixture::ClientRectIn(const CWnd* pWnd, const CWnd* pOther) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pOther->ScreenToClient(&rc);
    return rc;
}
