#pragma once
#include "mfc.h"

#include <commctrl.h>

#include <set>
#include <vector>

// The messages of interest a window receives while the log is in scope, in order. Those listed as
// swallowed answer 0 without reaching the window (a frame must not close on a recorded SC_CLOSE).
class CRibbonMessageLog {
public:
    struct Entry {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    };

    CRibbonMessageLog(HWND hWnd, std::set<UINT> watched, std::set<UINT> swallowed = {})
        : m_hWnd(hWnd), m_watched(std::move(watched)), m_swallowed(std::move(swallowed)) {
        ::SetWindowSubclass(m_hWnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CRibbonMessageLog() { ::RemoveWindowSubclass(m_hWnd, Proc, 1); }
    CRibbonMessageLog(const CRibbonMessageLog&) = delete;
    CRibbonMessageLog& operator=(const CRibbonMessageLog&) = delete;

    const std::vector<Entry>& Entries() const { return m_entries; }
    int Count(UINT nMessage) const {
        int nCount = 0;
        for (const Entry& entry : m_entries)
            nCount += entry.nMessage == nMessage ? 1 : 0;
        return nCount;
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dwRef) {
        auto* pLog = reinterpret_cast<CRibbonMessageLog*>(dwRef);
        if (pLog->m_watched.count(nMessage) != 0)
            pLog->m_entries.push_back({nMessage, wParam, lParam});
        if (pLog->m_swallowed.count(nMessage) != 0)
            return 0;
        return ::DefSubclassProc(hWnd, nMessage, wParam, lParam);
    }

    HWND m_hWnd;
    std::set<UINT> m_watched;
    std::set<UINT> m_swallowed;
    std::vector<Entry> m_entries;
};
