#pragma once
#include "mfc.h"
#include "ToolkitCriticalSection.h"

// The look resources of the Office 2007 painters: an INI text (a "TEXTFILE" resource) naming colours
// ("%i %i %i" triples under sections) and mapping image names to bitmap resources, read from one
// resource module, and the images loaded from that module, cached by name.
//
// GetOffice2007Images answers the process-wide set, built on first use from the current resource
// module. The program itself carries no look resource, so there every colour is -1 and every image
// NULL until a look module is set.
//
// Threads: the image cache and every drawing through the shared work bitmap run under the set's lock,
// so images of one set may be drawn on several threads. The INI reads take no lock: they belong to
// the thread that sets the module (the UI thread). Switching the module empties the cache at once:
// an image pointer taken earlier stays valid only for a holder that took a reference.

class CTkOffice2007Image;
class NotificationConnection;

// Sent through the connection (no parameters) after every SetResourceModule.
constexpr UINT kOffice2007ResourceChangedEvent = 10575;
// The side of the shared work bitmap: larger images are not drawn.
constexpr int kOffice2007WorkSize = 512;

class CTkOffice2007Images : public CCmdTarget {
public:
    // The look of the current resource module (AfxGetResourceHandle), not freed by this object.
    CTkOffice2007Images();
    ~CTkOffice2007Images() override;
    CTkOffice2007Images(const CTkOffice2007Images&) = delete;
    CTkOffice2007Images& operator=(const CTkOffice2007Images&) = delete;

    // ---- The look's module
    // Takes hModule as the look (NULL for none), freeing the previous one when it was handed over with
    // bFreeModule, and empties the image cache. The INI text is the "TEXTFILE" resource lpszIniName with
    // every '.' made '_' ("OFFICE2007BLUE_INI" for NULL or empty); with a NULL name a module without
    // that resource gives its first "TEXTFILE" resource instead. TRUE when a text was found.
    BOOL SetResourceModule(HMODULE hModule, LPCTSTR lpszIniName = nullptr, BOOL bFreeModule = FALSE);
    BOOL IsLoaded() const { return m_pTextBegin != nullptr; }
    // The connection that kOffice2007ResourceChangedEvent goes through, made on first call; borrowed.
    NotificationConnection* GetConnection();

    // ---- Values of the INI text (upper-cased; empty or -1 when missing)
    CString GetIniValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const;
    // The value read as "%i %i %i" (0x for hexadecimal, a leading 0 for octal; missing numbers are
    // 0), each number AND 0xFF, as RGB.
    COLORREF GetColor(LPCTSTR lpszSection, LPCTSTR lpszKey) const;
    // The INI grammar over 8-bit text: lines end at CR (a LF after it is skipped), so text after the
    // last CR is never read; leading white space goes; ';' starts a comment; "[name]" opens a section,
    // and the next section line after the wanted one ends the search; "key = value" lines of the
    // section match the key without its trailing white space, all compared upper-cased. The value
    // comes back upper-cased and trimmed; empty when nothing matches or there is no text.
    static CString FindIniValue(const char* pBegin, const char* pEnd, LPCTSTR lpszSection, LPCTSTR lpszKey);

    // ---- Images
    // The resource name of an image: its value in section "Images" when it has one, else the name;
    // then every '.' and '\' made '_'.
    CString GetImageFile(LPCTSTR lpszName) const;
    // A new image (one reference, the caller's) loaded from the module; NULL when it does not load.
    CTkOffice2007Image* LoadImage(LPCTSTR lpszName);
    // The cached image of that name (case-sensitive), loaded on first use; the cache keeps the
    // reference. NULL without a module, for a NULL name, or when it does not load (tried again next
    // time).
    CTkOffice2007Image* GetImage(LPCTSTR lpszName);
    // Releases every cached image.
    void RemoveAllImages();

private:
    friend class CTkOffice2007Image;  // draws through the work bitmap under the lock

    // Finds and locks the INI text in the module; TRUE when found.
    BOOL LoadText(LPCTSTR lpszName, BOOL bAnyText);

    HMODULE m_hModule = nullptr;
    const char* m_pTextBegin = nullptr;  // the module's INI text (resource memory); NULL for none
    const char* m_pTextEnd = nullptr;
    BOOL m_bFreeModule = FALSE;                       // FreeLibrary the module when it is replaced and at destruction
    ToolkitCriticalSection m_lock;                    // guards the module, the image cache and the work bitmap
    CDC m_workDC;                                     // a memory DC of the screen, for drawing out of the work bitmap
    CBitmap m_workBitmap;                             // kOffice2007WorkSize square, 32 bpp, top-down
    DWORD* m_pWorkBits = nullptr;                     // its pixels; NULL when it could not be made
    NotificationConnection* m_pConnection = nullptr;  // one reference, released at destruction
    CMap<CString, LPCTSTR, CTkOffice2007Image*, CTkOffice2007Image*> m_images;  // one reference each
};

CTkOffice2007Images* GetOffice2007Images();
