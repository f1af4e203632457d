#include "ScopedResources.h"

#include <gdiplus.h>

// Kept apart from ScopedResources.cpp so that only programs that start GDI+ import it.

CScopedGdiPlus::CScopedGdiPlus() {
    const Gdiplus::GdiplusStartupInput input;
    m_bStarted = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
}

CScopedGdiPlus::~CScopedGdiPlus() {
    if (m_bStarted)
        Gdiplus::GdiplusShutdown(m_token);
}

ULONG_PTR CScopedGdiPlus::Detach() {
    const ULONG_PTR token = m_bStarted ? m_token : 0;
    m_bStarted = FALSE;
    return token;
}
