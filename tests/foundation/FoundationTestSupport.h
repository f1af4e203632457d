#pragma once
#include "DibPixels.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Helpers of the foundation tests (pixels and pictures of memory DCs come from DibPixels.h): the
// question whether an optional system library is there (the fail-soft run takes them away), and a
// resource module for a scope.

// TRUE when the library can be loaded in this run.
inline bool IsLibraryAvailable(LPCWSTR pszName) {
    HMODULE hModule = ::LoadLibraryW(pszName);
    if (hModule == nullptr)
        return false;
    ::FreeLibrary(hModule);
    return true;
}

// Loads a resource DLL and makes it the layer's resource module for the scope.
class CResourceModuleScope {
public:
    explicit CResourceModuleScope(LPCWSTR pszDll)
        : m_hModule(::LoadLibraryW(pszDll)), m_hPrevious(AfxGetResourceHandle()) {
        if (m_hModule != nullptr)
            AfxSetResourceHandle(m_hModule);
    }
    ~CResourceModuleScope() {
        AfxSetResourceHandle(m_hPrevious);
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    CResourceModuleScope(const CResourceModuleScope&) = delete;
    CResourceModuleScope& operator=(const CResourceModuleScope&) = delete;

    HMODULE Get() const { return m_hModule; }

private:
    HMODULE m_hModule;
    HINSTANCE m_hPrevious;
};
