#pragma once
#include "mfc.h"

#include <vector>

// CTkCommandBarKeyboardTip: a small window showing the keys that reach one control or bar while the
// keyboard tips of a bar are shown. Made by the bar (CreateKeyboardTips), owned by the hub, which gives it
// its keys, places, shows and destroys it (CTkCommandBars::ShowKeyboardTips). Its window text is its keys;
// a tip whose target is disabled is a disabled window, drawn translucent where the paint manager can. The
// paint manager draws it; it lets the mouse through. UI thread.

class CTkCommandBars;

class CTkCommandBarKeyboardTip : public CWnd {
public:
    // Where the point lies on the tip.
    enum Alignment : UINT {
        kAlignCenter = 0x1,   // centred horizontally
        kAlignRight = 0x2,    // its right edge
        kAlignVCenter = 0x4,  // centred vertically
        kAlignBottom = 0x8,   // its bottom edge
    };

    // pTarget is a control or a bar (not referenced); x, y are the target bar's client coordinates for a
    // control, screen coordinates for a bar.
    CTkCommandBarKeyboardTip(CTkCommandBars* pCommandBars, CCmdTarget* pTarget, LPCWSTR pszCaption, int x, int y,
                             UINT nAlign, BOOL bEnabled);

    CCmdTarget* GetTarget() const { return m_pTarget; }
    // The target's text.
    const CString& GetCaption() const { return m_strCaption; }
    // The keys to type.
    const CString& GetKeys() const { return m_strKeys; }
    void SetKeys(const CString& strKeys) { m_strKeys = strKeys; }
    // The target's own keyboard tip, used instead of its caption's mnemonic.
    const CString& GetExplicitKeys() const { return m_strExplicitKeys; }
    void SetExplicitKeys(const CString& strKeys) { m_strExplicitKeys = strKeys; }
    BOOL HasExplicitKeys() const { return m_bExplicit; }
    CPoint GetPoint() const { return m_pt; }
    UINT GetAlignment() const { return m_nAlign; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsShown() const { return m_bShown; }
    void SetShown(BOOL bShown) { m_bShown = bShown; }

    // Gives the tip its keys: the explicit ones, else the upper-cased caption's mnemonic. FALSE when it
    // has none (the tip is then dropped).
    BOOL ChooseKeys();
    // The popup window at the screen rectangle, hidden; layered (alpha 150) when asked.
    BOOL CreateTipWindow(const CRect& rcScreen, BOOL bLayered);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

    CTkCommandBars* m_pCommandBars;  // the owner; not referenced
    CCmdTarget* m_pTarget;           // not referenced
    CString m_strCaption;
    CString m_strKeys;
    CString m_strExplicitKeys;
    CPoint m_pt;
    UINT m_nAlign;
    BOOL m_bEnabled;
    BOOL m_bShown = TRUE;
    BOOL m_bExplicit = FALSE;
};

// ---- Choosing the keys (pure functions of the texts)

// The keys of an upper-cased caption: the character after its first '&' that is not doubled, else its
// first character; empty for an empty caption.
CString GetCaptionTipKeys(const CString& strUpperCaption);

// The keys of the tips, made unique where several begin with the same character: each tip of such a group
// whose keys are one character long gets a second one from its caption (after a space, else the first
// unused character of the caption), else the next digit or letter not yet used in the group.
struct KeyboardTipText {
    CString strCaption;  // upper-cased
    CString strKeys;
};
void MakeKeyboardTipKeysUnique(std::vector<KeyboardTipText>& tips);
