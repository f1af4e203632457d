#include "TkMarkupFont.h"

#include "TkMarkupContext.h"

CTkMarkupFont::CTkMarkupFont(CTkMarkupContext* pContext, const LOGFONTW& logFont)
    : m_hFont(::CreateFontIndirectW(&logFont)), m_logFont(logFont), m_pContext(pContext) {}

CTkMarkupFont::~CTkMarkupFont() {
    // Leaves the cache of a context that is still alive.
    if (m_pContext != nullptr) {
        for (CTkMarkupFont** ppLink = &m_pContext->m_pFirstFont; *ppLink != nullptr; ppLink = &(*ppLink)->m_pNext) {
            if (*ppLink == this) {
                *ppLink = m_pNext;
                break;
            }
        }
    }
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}
