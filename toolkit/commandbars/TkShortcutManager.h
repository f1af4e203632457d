#pragma once
#include "mfc.h"

#include <optional>
#include <utility>
#include <vector>

// CTkShortcutManager: the keyboard shortcuts of one CTkCommandBars (made and owned by the hub): a table
// of accelerators of one or two keystrokes (Ctrl+K followed by Ctrl+C) that it carries out from the
// frame's message pre-translation, turns into texts for menus and tooltips, parses back from texts, and
// saves and loads. It also compares a key with a character on every keyboard layout (KeyMatchesChar),
// for the mnemonic searches. UI thread only.

class CTkCommandBars;
class CTkPropExchange;

// The resource string of the prompt shown while the second keystroke of a shortcut is awaited; "%s" is
// the first keystroke.
constexpr UINT kIdsSecondKeystrokePrompt = 9187;

// Keystroke flags: the Windows ACCEL bits and the Windows key.
enum ShortcutKeyFlags : BYTE {
    kKeyVirtual = 0x01,  // the key is a virtual-key code, else a character
    kKeyShift = 0x04,
    kKeyCtrl = 0x08,
    kKeyAlt = 0x10,
    kKeyWin = 0x20,
};

// One accelerator. Its 12 bytes are also its record in the saved "Data" blob, so the layout is fixed.
class CTkShortcutManagerAccel {
public:
    struct Keystroke {
        BYTE fVirt;  // ShortcutKeyFlags; 0 with no second keystroke
        BYTE bPad;
        WORD key;  // virtual-key code or character; 0 with no second keystroke
    };

    CTkShortcutManagerAccel() = default;
    // The command, flags and key of a Windows ACCEL; no second keystroke.
    explicit CTkShortcutManagerAccel(const ACCEL& accel);

    DWORD cmd = 0;
    Keystroke key[2] = {};
};
static_assert(sizeof(CTkShortcutManagerAccel) == 12, "the saved accelerator record is 12 bytes");
static_assert(offsetof(CTkShortcutManagerAccel, key) == 4 && sizeof(CTkShortcutManagerAccel::Keystroke) == 4,
              "keystrokes at 4 and 8");

class CTkShortcutManager : public CCmdTarget {
public:
    using CAccelArray = std::vector<CTkShortcutManagerAccel>;

    // Formats one accelerator as text ("Ctrl+K, Ctrl+C").
    class CKeyHelper {
    public:
        // bUseKeyNameOperation: names from GetKeyName; otherwise the name table, "0x%x" for keys without one.
        CKeyHelper(const CTkShortcutManagerAccel* pAccel, CTkShortcutManager* pManager,
                   BOOL bUseKeyNameOperation = TRUE);
        CString Format() const;

    private:
        CString FormatKeystroke(const CTkShortcutManagerAccel::Keystroke& keystroke) const;
        CString NameOf(UINT nKey) const;

        const CTkShortcutManagerAccel* m_pAccel;  // not owned
        CTkShortcutManager* m_pManager;           // not owned
        BOOL m_bUseKeyNameOperation;
    };

    // An empty table and the English key names; pCommandBars is the owner (not referenced).
    explicit CTkShortcutManager(CTkCommandBars* pCommandBars);

    // ---- Overridables
    // Sets strText to the highest-priority text of the command's shortcuts (unchanged when it already is
    // one of them, empty when the command has none); the frame's own accelerator table stands in for an
    // empty table. FALSE for no table at all (strText unchanged); else whether the command has one.
    virtual BOOL FindShortcutText(int nCommand, CString& strText);
    // The text, and the priority in *pnPriority: 4 without modifier, 3 Ctrl, 2 Alt, 1 Shift.
    virtual CString FormatAccelerator(const CTkShortcutManagerAccel* pAccel, int* pnPriority);
    // The name table's name and the system's, in the order m_bSystemKeyNamesFirst says.
    virtual CString GetKeyName(UINT nKey);
    // FALSE only for a plain Esc while m_bAllowEscape is off.
    virtual BOOL IsAllowedShortcut(const CTkShortcutManagerAccel* pAccel);
    // "Data" (a count and a blob of records) where the exchange allows blobs, else "Shortcut" items of "Id"
    // and "Key" text. A stored count beyond the blob raises CArchiveException.
    virtual void DoPropExchange(CTkPropExchange* pPX);
    virtual const CAccelArray& GetAccelerators() const { return m_accelerators; }
    // Back to the recorded original table, when there is one.
    virtual void ResetAccelerators();

    // ---- Carrying out: TRUE when the message was a shortcut's (even when nothing ran).
    BOOL TranslateAccelerator(const MSG* pMsg);
    // Shortcuts are ignored while positive (print preview, the second-keystroke wait).
    void IncrementDisableCount(BOOL bUp) { m_nDisableCount += bUp ? 1 : -1; }
    int GetDisableCount() const { return m_nDisableCount; }

    // ---- The table
    // Replace the table.
    void AddAccelerators(const ACCEL* pAccel, int nCount);
    void SetAccelerators(const CTkShortcutManagerAccel* pAccel, int nCount);
    CAccelArray ExportAccelerators() const { return m_accelerators; }
    // Keeps the current table as the one ResetAccelerators returns to.
    void SaveOriginalAccelerators() { m_originalAccelerators = m_accelerators; }
    BOOL HasAccelerators() const { return !m_accelerators.empty(); }

    // ---- Texts
    // "first" or "first, second"; FALSE when a keystroke does not parse.
    BOOL ParseShortcut(const CString& strText, CTkShortcutManagerAccel* pAccel) const;
    // "Ctrl+Shift+K": the modifier names are found case-sensitively, the key name in any case, or as
    // "0x" and hexadecimal digits. FALSE when no key results.
    BOOL ParseKeystroke(CString strText, BYTE& fVirt, WORD& key) const;
    // The key of a table name, any case; 0 when none.
    WORD FindKeyByName(const CString& strName) const;
    // The table's name of the key; empty when none.
    CString GetTableKeyName(UINT nKey) const;

    // kKeyCtrl, kKeyShift and kKeyAlt of the keys held now; with AltGr held (right Alt and left Ctrl)
    // Ctrl is the right Ctrl key and Alt the left Alt key.
    static BYTE GetModifierState();
    // Whether the virtual key types the character (or its upper case) on any installed keyboard layout,
    // with or without Shift; keypad digits match only their digits.
    static BOOL KeyMatchesChar(WCHAR ch, UINT nVirtualKey);

    BOOL m_bAllowEscape = FALSE;
    BOOL m_bSystemKeyNamesFirst = FALSE;

private:
    // The first record whose first keystroke the message matches.
    const CTkShortcutManagerAccel* FindFirstKeystroke(const MSG* pMsg) const;
    // Waits for the second keystroke of a record; the command of the record it completes, 0 for none.
    DWORD WaitForSecondKeystroke(CFrameWnd* pFrame, const CTkShortcutManagerAccel& first);
    // The system's name of the key (GetKeyNameTextW); empty for key 3.
    static CString GetSystemKeyName(UINT nKey);
    void LoadBlob(CTkPropExchange* pPX, DWORD nRecordSize);
    void LoadItems(CTkPropExchange* pPX);

    int m_nDisableCount = 0;
    CAccelArray m_accelerators;
    std::optional<CAccelArray> m_originalAccelerators;  // none recorded until saved
    CTkCommandBars* m_pCommandBars;                     // the owner; not referenced
    std::vector<std::pair<WORD, CString>> m_keyNames;   // in the table's order
};
