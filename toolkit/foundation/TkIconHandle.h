#pragma once
#include "mfc.h"

// Owns one icon handle: the icon held is destroyed when another is assigned and when the holder dies.
// Used by windows that keep a loaded icon for their lifetime (the tray icon, caption popups). UI thread only.
class CTkIconHandle {
public:
    CTkIconHandle() = default;
    explicit CTkIconHandle(HICON hIcon) : m_hIcon(hIcon) {}
    ~CTkIconHandle() { Destroy(); }
    CTkIconHandle(const CTkIconHandle&) = delete;
    CTkIconHandle& operator=(const CTkIconHandle&) = delete;

    // Takes ownership of hIcon; the icon held before is destroyed (unless it is the same handle).
    CTkIconHandle& operator=(HICON hIcon) {
        if (hIcon != m_hIcon) {
            Destroy();
            m_hIcon = hIcon;
        }
        return *this;
    }
    operator HICON() const { return m_hIcon; }
    HICON GetSafeHandle() const { return m_hIcon; }
    // Hands the icon to the caller, who destroys it.
    HICON Detach() {
        HICON hIcon = m_hIcon;
        m_hIcon = nullptr;
        return hIcon;
    }

private:
    void Destroy() {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }

    HICON m_hIcon = nullptr;
};
