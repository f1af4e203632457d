// The process-wide current paint manager and the themes by number. The Office, Office 2003, native XP,
// Whidbey, Office 2007 and Visual Studio 2008 themes (1, 2, 3, 4, 5, 7) live in this library and are known
// from the start; the ribbon theme (6) is registered by the ribbon. UI thread only.
#include "TkPaintManager.h"

#include "TkDefaultTheme.h"
#include "TkNativeXPTheme.h"
#include "TkOffice2003Theme.h"
#include "TkOffice2007Theme.h"
#include "TkVisualStudio2008Theme.h"
#include "TkWhidbeyTheme.h"

#include <cstdlib>

namespace {

PaintThemeCreator s_themeCreators[kThemeCustom] = {
    nullptr,                           // 0
    CTkOfficeTheme::Create,            // 1
    CTkOffice2003Theme::Create,        // 2
    CTkNativeXPTheme::Create,          // 3
    CTkWhidbeyTheme::Create,           // 4
    CTkOffice2007Theme::Create,        // 5
    nullptr,                           // 6
    CTkVisualStudio2008Theme::Create,  // 7
};
CTkPaintManager* s_pCurrentPaintManager = nullptr;  // holds one reference
bool s_bExitReleaseRegistered = false;

bool IsCreatedByRegistry(int nTheme) {
    return nTheme >= kThemeOffice && nTheme <= kThemeVisualStudio2008;
}

void ReleaseCurrentAtExit() {
    CTkPaintManager::ReleaseCurrent();
}

}  // namespace

void CTkPaintManager::RegisterThemeCreator(int nTheme, PaintThemeCreator pfnCreate) {
    if (IsCreatedByRegistry(nTheme))
        s_themeCreators[nTheme] = pfnCreate;
}

// Never fails on a number: anything without a theme of its own gets the default look.
CTkPaintManager* CTkPaintManager::CreateThemeByNumber(int nTheme) {
    CTkPaintManager* pPaintManager = nullptr;
    if (IsCreatedByRegistry(nTheme)) {
        ASSERT(s_themeCreators[nTheme] != nullptr);  // a theme whose code is not linked in
        if (s_themeCreators[nTheme] != nullptr)
            pPaintManager = s_themeCreators[nTheme]();
    }
    if (pPaintManager == nullptr)
        pPaintManager = new CTkDefaultTheme;
    pPaintManager->m_nThemeNumber = nTheme;
    return pPaintManager;
}

void CTkPaintManager::InstallPaintManager(CTkPaintManager* pPaintManager) {
    // Installing the current object again keeps it: releasing first could delete it and leave the
    // pointer dangling.
    if (pPaintManager != s_pCurrentPaintManager) {
        CTkPaintManager* pPrevious = s_pCurrentPaintManager;
        s_pCurrentPaintManager = pPaintManager;
        if (pPrevious != nullptr)
            pPrevious->InternalRelease();
    }
    if (pPaintManager == nullptr)
        return;
    // Registered after the toolkit singletons the paint manager uses were built, so it runs before
    // their destructors; a static destructor of this file would run after them.
    if (!s_bExitReleaseRegistered) {
        std::atexit(ReleaseCurrentAtExit);
        s_bExitReleaseRegistered = true;
    }
    pPaintManager->m_nThemeNumber = kThemeCustom;
    pPaintManager->RefreshMetrics();
}

void CTkPaintManager::ActivateTheme(int nTheme) {
    InstallPaintManager(CreateThemeByNumber(nTheme));
    s_pCurrentPaintManager->m_nThemeNumber = nTheme;
}

CTkPaintManager* CTkPaintManager::GetCurrentPaintManager() {
    if (s_pCurrentPaintManager == nullptr)
        ActivateTheme(kThemeDefault);
    return s_pCurrentPaintManager;
}

void CTkPaintManager::ReleaseCurrent() {
    CTkPaintManager* pPaintManager = s_pCurrentPaintManager;
    s_pCurrentPaintManager = nullptr;
    if (pPaintManager != nullptr)
        pPaintManager->InternalRelease();
}
