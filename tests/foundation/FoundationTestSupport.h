#pragma once
#include "mfc.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Helpers of the foundation tests: pixels of a memory DC, PNG pictures of what was drawn, and the
// question whether an optional system library is there (the fail-soft run takes them away).

// Pixel (x, y) of a CScopedMemDC as a COLORREF (after GdiFlush).
inline COLORREF PixelAt(const CScopedMemDC& dc, int x, int y) {
    ::GdiFlush();
    const DWORD bgr = dc.GetBits()[y * dc.GetWidth() + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// Channel by channel at most nTolerance apart.
inline ::testing::AssertionResult ColorsNear(COLORREF expected, COLORREF actual, int nTolerance) {
    for (int nShift = 0; nShift <= 16; nShift += 8) {
        if (std::abs(static_cast<int>((expected >> nShift) & 0xFF) - static_cast<int>((actual >> nShift) & 0xFF)) >
            nTolerance)
            return ::testing::AssertionFailure() << std::hex << "expected 0x" << expected << ", got 0x" << actual;
    }
    return ::testing::AssertionSuccess();
}

// TRUE when the library can be loaded in this run.
inline bool IsLibraryAvailable(LPCWSTR pszName) {
    HMODULE hModule = ::LoadLibraryW(pszName);
    if (hModule == nullptr)
        return false;
    ::FreeLibrary(hModule);
    return true;
}

// Writes the DC's pixels as a PNG file in the working folder (the build's test folder), for a person to
// look at; FALSE when GDI+ cannot encode it.
BOOL WritePng(const CScopedMemDC& dc, LPCWSTR pszFileName);

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
