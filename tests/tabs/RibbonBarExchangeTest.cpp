// Saving and loading the ribbon: the keys it writes and when, a saved ribbon that reloads equal, and a
// stored system button, tab or group of a wrong class that fails the load before one is made and leaves
// the ribbon as it was.

#include "ExchangeBytes.h"
#include "RibbonHost.h"
#include "TkControl.h"
#include "TkControlButton.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkPropExchange.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"
#include "TkTabManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Saves nothing: it writes down the names the ribbon exchanges at its own level, and lets the sections
// (which it also names) run empty.
class CRecordingExchange : public CTkPropExchange {
public:
    explicit CRecordingExchange(std::vector<std::wstring>* pNames) : m_pNames(pNames) {}

    BOOL ExchangeProp(LPCWSTR pszName, VARTYPE, void*, const void*) override { return Record(pszName); }
    BOOL ExchangeBlob(LPCWSTR pszName, BYTE**, DWORD*) override { return Record(pszName); }
    BOOL ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass**, CRuntimeClass*) override { return Record(pszName); }
    void ExchangeSchema() override {}
    CArchive* GetArchive(LPCWSTR) override { return nullptr; }
    void ReleaseArchive(LPCWSTR, CArchive*) override {}
    CTkPropExchange* GetSection(LPCWSTR pszName) override {
        Record(pszName);
        auto* pSection = new CRecordingExchange(nullptr);
        pSection->CopyInheritedFrom(*this);
        pSection->m_bSection = TRUE;
        return pSection;
    }
    void WriteCount(DWORD) override {}
    DWORD ReadCount() override { return 0; }
    void Write(const void*, UINT) override {}
    UINT Read(void*, UINT) override { return 0; }

private:
    BOOL Record(LPCWSTR pszName) {
        if (m_pNames != nullptr)
            m_pNames->push_back(pszName);
        return TRUE;
    }

    std::vector<std::wstring>* m_pNames;  // NULL in sections
};

std::vector<std::wstring> SavedNames(CTkRibbonBar* pRibbon, int nSchema) {
    std::vector<std::wstring> names;
    CRecordingExchange exchange(&names);
    exchange.m_nSchema = nSchema;
    pRibbon->DoPropExchange(&exchange);
    return names;
}

TEST(RibbonBarExchange, KeysFollowTheSchemaAndTheCustomizableSwitch) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    pRibbon->AddTab(L"&Home", 1);
    pRibbon->AddSystemButton(7000);
    struct Row {
        int nSchema;
        std::vector<std::wstring> expected;
    };
    const Row rows[] = {
        {33, {L"ShowQuickAccessBelow", L"Minimized", L"Customizable", L"QuickAccessControls"}},
        {24, {L"ShowQuickAccessBelow", L"Minimized", L"Customizable", L"QuickAccessControls"}},
        {23, {L"ShowQuickAccessBelow", L"Minimized", L"QuickAccessControls"}},
        {19, {L"ShowQuickAccessBelow", L"Minimized", L"QuickAccessControls"}},
        {18, {L"ShowQuickAccessBelow", L"QuickAccessControls"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SavedNames(pRibbon, row.nSchema), row.expected) << row.nSchema;

    // Customizable: the menu bar's keys, then the system button's flag and section, the tabs, and the
    // quick-access controls last.
    pRibbon->SetCustomizable(TRUE);
    const std::vector<std::wstring> names = SavedNames(pRibbon, 33);
    ASSERT_GE(names.size(), 7u);
    EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.begin() + 3),
              (std::vector<std::wstring>{L"ShowQuickAccessBelow", L"Minimized", L"Customizable"}));
    EXPECT_EQ(std::vector<std::wstring>(names.end() - 4, names.end()),
              (std::vector<std::wstring>{L"SystemButton", L"SystemButton", L"Tabs", L"QuickAccessControls"}));
    EXPECT_GT(names.size(), 7u) << "the menu bar's own keys";
}

// ---- Round trip

// The ribbon as its user knows it: tabs with their groups and controls, the state, the quick-access
// commands and the system button.
std::vector<std::wstring> Picture(CTkRibbonBar* pRibbon) {
    std::vector<std::wstring> lines;
    auto add = [&lines](LPCWSTR pszKind, int nId, const CString& strCaption) {
        lines.push_back(std::wstring(pszKind) + L" " + std::to_wstring(nId) + L" " + strCaption.GetString());
    };
    for (int i = 0; i < pRibbon->GetTabCount(); ++i) {
        CTkRibbonTab* pTab = pRibbon->GetTab(i);
        add(L"tab", pTab->GetId(), pTab->GetCaption());
        for (int g = 0; g < pTab->GetGroups()->GetCount(); ++g) {
            CTkRibbonGroup* pGroup = pTab->GetGroups()->GetAt(g);
            add(L"group", pGroup->GetId(), pGroup->GetCaption());
            for (int c = 0; c < pGroup->GetCount(); ++c)
                add(L"control", pGroup->GetAt(c)->GetId(), pGroup->GetAt(c)->GetCaption());
        }
    }
    add(L"minimized", pRibbon->IsMinimized(), L"");
    add(L"below", pRibbon->IsQuickAccessBelowRibbon(), L"");
    CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
    for (int i = 0; i < pQuickAccess->GetCount(); ++i)
        add(L"quick access", pQuickAccess->GetAt(i)->GetId(), pQuickAccess->GetAt(i)->GetCaption());
    CTkRibbonControlSystemButton* pSystem = pRibbon->GetSystemButton();
    add(L"system button", pSystem != nullptr ? pSystem->GetId() : -1, pSystem != nullptr ? pSystem->GetCaption() : L"");
    return lines;
}

// Items of other classes than the stored ones, counting how often one is made. Each class name is as
// long as the one it replaces in a stored stream.
int g_nWrongItemsMade = 0;

class CCountedControlInButtonPlace : public CTkControlButton {
    DECLARE_SERIAL(CCountedControlInButtonPlace)
public:
    CCountedControlInButtonPlace() { ++g_nWrongItemsMade; }
};
IMPLEMENT_SERIAL(CCountedControlInButtonPlace, CTkControlButton, 33)

class CNotATabItem : public CTkTabManagerItem {
    DECLARE_SERIAL(CNotATabItem)
public:
    CNotATabItem() { ++g_nWrongItemsMade; }
};
IMPLEMENT_SERIAL(CNotATabItem, CTkTabManagerItem, 33)

class CNotARibbonGrp : public CCmdTarget {
    DECLARE_SERIAL(CNotARibbonGrp)
public:
    CNotARibbonGrp() { ++g_nWrongItemsMade; }
};
IMPLEMENT_SERIAL(CNotARibbonGrp, CCmdTarget, 33)

// A customizable ribbon with two tabs, groups with controls, a system button and quick-access commands,
// the second tab selected, minimised, the quick-access row below.
void Fill(CTkRibbonBar* pRibbon) {
    pRibbon->SetCustomizable(TRUE);
    CTkRibbonTab* pHome = pRibbon->AddTab(L"&Home", 1);
    CTkRibbonGroup* pClipboard = pHome->GetGroups()->Add(L"Clipboard", 10);
    pClipboard->Add(kControlButton, 100)->SetCaption(L"Paste");
    pClipboard->Add(kControlButton, 101)->SetCaption(L"Copy");
    pHome->GetGroups()->Add(L"Font", 11)->Add(kControlButton, 110)->SetCaption(L"Bold");
    CTkRibbonTab* pView = pRibbon->AddTab(L"&View", 2);
    pView->GetGroups()->Add(L"Zoom", 20)->Add(kControlButton, 200)->SetCaption(L"Zoom");
    pRibbon->GetControlTab()->SelectItem(pView);
    pRibbon->AddSystemButton(7000)->SetCaption(L"&File");
    pRibbon->GetQuickAccessControls()->Add(kControlButton, 100)->SetCaption(L"Paste");
    pRibbon->GetQuickAccessControls()->Add(kControlButton, 110)->SetCaption(L"Bold");
    pRibbon->ShowQuickAccessBelowRibbon(TRUE);
    pRibbon->SetMinimized(TRUE);
}

TEST(RibbonBarExchange, ASavedRibbonReloadsEqualAndAWrongStoredClassLeavesItAsItWas) {
    CRibbonHost source;
    ASSERT_NE(source.Ribbon(), nullptr);
    Fill(source.Ribbon());
    const std::vector<std::wstring> picture = Picture(source.Ribbon());
    const std::vector<BYTE> bytes = Saved(source.Ribbon());

    CRibbonHost target;
    CTkRibbonBar* pRibbon = target.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    pRibbon->SetCustomizable(TRUE);
    pRibbon->AddTab(L"&Old", 9);
    ASSERT_EQ(Load(pRibbon, bytes), -1);
    EXPECT_EQ(Picture(pRibbon), picture);
    EXPECT_EQ(pRibbon->GetControls()->GetAt(0), pRibbon->GetSystemButton());
    int nSystemButtons = 0;
    for (int i = 0; i < pRibbon->GetControlCount(); ++i)
        nSystemButtons += pRibbon->GetControl(i)->IsKindOf(RUNTIME_CLASS(CTkRibbonControlSystemButton)) ? 1 : 0;
    EXPECT_EQ(nSystemButtons, 1);
    EXPECT_EQ(pRibbon->GetControlCount(), source.Ribbon()->GetControlCount());

    // The hub loads into a new ribbon of the stored class, windowless.
    auto* pFresh = static_cast<CTkRibbonBar*>(RUNTIME_CLASS(CTkRibbonBar)->CreateObject());
    EXPECT_EQ(Load(pFresh, bytes), -1);
    EXPECT_EQ(Picture(pFresh), picture);
    pFresh->InternalRelease();

    // The tab selected when saved is selected again, minimised or not.
    EXPECT_EQ(pRibbon->GetSelectedTab(), pRibbon->GetTab(1));
    pRibbon->SetMinimized(FALSE);
    EXPECT_EQ(pRibbon->GetSelectedTab(), pRibbon->GetTab(1));
    // A ribbon loaded as not minimised, whose tabs name none as selected, shows its first tab.
    source.Ribbon()->SetMinimized(FALSE);
    source.Ribbon()->GetControlTab()->SelectItem(nullptr);
    ASSERT_EQ(source.Ribbon()->GetSelectedTab(), nullptr);
    ASSERT_EQ(Load(pRibbon, Saved(source.Ribbon())), -1);
    EXPECT_EQ(pRibbon->GetSelectedTab(), pRibbon->GetTab(0));
    EXPECT_FALSE(pRibbon->IsMinimized());

    // The same stream naming another class in the place of the system button, a tab or a group: the
    // load fails before one is made, and the ribbon is as it was, though the sections before had loaded.
    pRibbon->GetControlTab()->SelectItem(pRibbon->GetTab(1));
    pRibbon->ShowQuickAccessBelowRibbon(FALSE);
    const std::vector<std::wstring> before = Picture(pRibbon);
    const int nControls = pRibbon->GetControlCount();
    const char* const wrongClasses[][2] = {
        {"CTkRibbonControlSystemButton", "CCountedControlInButtonPlace"},
        {"CTkRibbonTab", "CNotATabItem"},
        {"CTkRibbonGroup", "CNotARibbonGrp"},
    };
    for (const auto& wrong : wrongClasses) {
        SCOPED_TRACE(wrong[0]);
        std::vector<BYTE> bad = bytes;
        ReplaceClassName(bad, wrong[0], wrong[1]);
        EXPECT_EQ(Load(pRibbon, bad), CArchiveException::badClass);
        EXPECT_EQ(g_nWrongItemsMade, 0);
        EXPECT_EQ(Picture(pRibbon), before);
        EXPECT_EQ(pRibbon->GetSelectedTab(), pRibbon->GetTab(1));
        EXPECT_EQ(pRibbon->GetControlCount(), nControls);
        EXPECT_EQ(pRibbon->GetControls()->GetAt(0), pRibbon->GetSystemButton());
    }
}

}  // namespace
