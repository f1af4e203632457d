#pragma once
#include "TkControlDefs.h"

#include "mfc.h"

#include <vector>

// CTkControlAction: the shared description of one command (id, image, texts, states). Every control
// bound to the action takes from it what it does not set itself, and a change of the action reaches
// every bound control. CTkControlActions holds the actions of one hub, sorted by id.
//
// Binding is always done from the control's side (CTkControl::SetAction); neither side holds a
// reference on the other, and each detaches on its own destruction. Reference counted (the collection
// holds one reference per action). UI thread.

class CTkCommandBars;
class CTkControl;
class CTkControlActions;

class CTkControlAction : public CCmdTarget {
public:
    explicit CTkControlAction(CTkControlActions* pOwner);
    // Detaches every control and releases the gallery items.
    ~CTkControlAction() override;

    // ---- Values
    int GetId() const { return m_nId; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }
    // 1 while the hub is being customised (every command looks available), else Enabled.
    BOOL GetEnabled() const;
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL GetChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked) { m_bChecked = bChecked; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    // Caption, else TooltipText.
    CString GetCaption() const;
    // The own caption only.
    const CString& GetCaptionText() const { return m_strCaption; }
    // Cut at the first tab; notifies the bound controls and delays their layouts on a change.
    void SetCaption(LPCWSTR pszCaption);
    // "description\ntooltip\ncaption\nkeytip": the tooltip and description (and an empty keyboard tip);
    // never the caption. Nothing for an empty text.
    void SetPrompt(LPCWSTR pszPrompt);
    const CString& GetTooltip() const { return m_strTooltipText; }
    const CString& GetDescription() const { return m_strDescriptionText; }
    const CString& GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCWSTR pszText) { m_strShortcutText = pszText; }
    const CString& GetEditHint() const { return m_strEditHint; }
    const CString& GetKeyboardTip() const { return m_strKeyboardTip; }
    // A gallery's item collection (owned: released with the action).
    CCmdTarget* GetItems() const { return m_pItems; }
    void SetItems(CCmdTarget* pItems);
    CTkCommandBars* GetCommandBars() const;

    // ---- Bound controls (called by CTkControl::SetAction)
    // The control's index among the bound ones (binding it first when new: its Enabled and Checked become
    // -1, its Id the action's, and its own texts are emptied).
    int AttachControl(CTkControl* pControl);
    // Unbinds the control: Enabled 1, Checked 0. Nothing when it is not bound.
    void DetachControl(CTkControl* pControl);
    void DetachAllControls();
    int GetControlCount() const { return static_cast<int>(m_controls.size()); }
    CTkControl* GetControl(int nIndex) const { return m_controls[static_cast<size_t>(nIndex)]; }
    void NotifyChanging(int nProperty);
    void NotifyChanged(int nProperty);
    void DelayLayoutControls();

private:
    friend class CTkControlActions;

    CCmdTarget* m_pItems = nullptr;  // referenced
    int m_nReserved = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bChecked = FALSE;
    BOOL m_bVisible = TRUE;
    CString m_strCaption;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strReserved1;
    CString m_strShortcutText;
    CString m_strEditHint;
    CString m_strKeyboardTip;
    CString m_strReserved2;
    std::vector<CTkControl*> m_controls;  // in binding order, not referenced
    CTkControlActions* m_pOwner;          // not referenced
};

class CTkControlActions : public CCmdTarget {
public:
    explicit CTkControlActions(CTkCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    ~CTkControlActions() override;

    int GetCount() const { return static_cast<int>(m_actions.size()); }
    // Raises the invalid-argument exception out of range.
    CTkControlAction* GetAt(int nIndex) const;
    // NULL for ids outside 1..0x0FFFFFFE and when missing.
    CTkControlAction* FindAction(int nId) const;
    // The action of the id, made (AddWithId) when missing.
    CTkControlAction* Add(int nId);
    // Gives the action the id and the id's string-resource prompt, then inserts it.
    CTkControlAction* AddWithId(int nId, CTkControlAction* pAction);
    // Before the first action with a larger id (after those with the same id); takes the reference.
    void InsertSorted(CTkControlAction* pAction);
    // Detaches every control of every action and releases the actions.
    void RemoveAll();
    CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }

private:
    std::vector<CTkControlAction*> m_actions;  // ascending ids; one reference each
    CTkCommandBars* m_pCommandBars;            // not referenced
};

// Whether a command id may have an action: 1..0x0FFFFFFE.
inline BOOL IsActionId(int nId) {
    return nId >= 1 && static_cast<UINT>(nId) <= kLastActionId;
}
// Applies the tooltip and description parts of a prompt "description\ntooltip\ncaption\nkeytip" (a text
// without a newline is both), and its keyboard-tip part when the tip is empty. FALSE, nothing changed,
// for an empty prompt.
BOOL ApplyPromptTexts(LPCWSTR pszPrompt, CString& strTooltip, CString& strDescription, CString& strKeyboardTip);
// Loads the string resource of a command id through the toolkit's resource manager; FALSE for ids that
// cannot name a string (outside 1..0xFFFF) and missing strings.
BOOL LoadCommandString(int nId, CString& str);
