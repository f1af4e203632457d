#pragma once
#include "Wnd.h"

// CDateTimeCtrl: a date and time picker ("SysDateTimePick32"), with a custom format such as "HH:mm"
// and the up-down style for times. Each member is one message to the control.

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(DATETIMEPICK_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    // NULL returns to the style's own format.
    BOOL SetFormat(LPCTSTR pstrFormat) {
        return static_cast<BOOL>(SendMessage(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(pstrFormat)));
    }
    // NULL clears the value (DTS_SHOWNONE).
    BOOL SetTime(const SYSTEMTIME* pTimeNew) {
        // Some controls refuse GDT_NONE without a record, although they do not read it.
        const SYSTEMTIME unused = {};
        return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, pTimeNew != nullptr ? GDT_VALID : GDT_NONE,
                                             reinterpret_cast<LPARAM>(pTimeNew != nullptr ? pTimeNew : &unused)));
    }
    // GDT_VALID with the value, GDT_NONE when cleared (DTS_SHOWNONE), GDT_ERROR.
    DWORD GetTime(SYSTEMTIME* pTimeDest) const {
        return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest)));
    }
};
