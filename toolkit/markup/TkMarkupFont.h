#pragma once
#include "TkMarkupObject.h"

// CTkMarkupFont: a GDI font made by a markup context's font cache (CTkMarkupContext::GetFont) and shared
// by every element of that context that asks for the same height, weight, italic flag and face. The cache
// holds no reference: the font leaves the cache when its last holder releases it, and deletes its GDI
// font. Reports the object type.

class CTkMarkupContext;

class CTkMarkupFont : public CTkMarkupObject {
public:
    HFONT GetSafeHandle() const { return m_hFont; }
    const LOGFONTW& GetLogFont() const { return m_logFont; }

protected:
    ~CTkMarkupFont() override;

private:
    friend class CTkMarkupContext;
    CTkMarkupFont(CTkMarkupContext* pContext, const LOGFONTW& logFont);

    HFONT m_hFont;  // owned
    LOGFONTW m_logFont;
    CTkMarkupFont* m_pNext = nullptr;  // the cache's list
    CTkMarkupContext* m_pContext;      // not counted; NULL once the context is gone
};
