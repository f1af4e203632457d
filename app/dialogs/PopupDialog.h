#pragma once
// CPopupDialog: the incoming-call pop-up (template IDD_POPUP), one process-wide modeless window that the main frame
// creates hidden at its creation and that lives until the program ends; it is only shown and hidden. An incoming
// call fills it with the caller and the contact found (ShowIncomingCall), the record details with a stored contact
// (ShowContactInPopup). The operator may then save the shown contact (known caller) or add the caller as a new
// contact; either store hides the window and disables both buttons until the next fill. Closing only hides it.
// UI thread: the service's calls reach it through the window side's view.

#include "records/StorageRecords.h"

#include "mfc.h"

class CPopupDialog : public CDialog {
public:
    CPopupDialog();

    // Fills the window for a ringing line: the caption names the caller's 8-bit digits and the time now; a known
    // contact (non-empty UserID) shows its stored mobile number and may be saved, an unknown caller shows the digits
    // and may be added. Null digits change nothing. Does not show the window.
    void ShowIncomingCall(const char* number, const ContactRecord& contact);
    // Fills the window with a stored contact. Does not show the window.
    void ShowContactInPopup(const ContactRecord& contact);

    // The contact that Save updates: the one last shown, or the one just added.
    const ContactRecord& Contact() const { return m_contact; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSaveContact();
    afx_msg void OnAddContact();
    DECLARE_MESSAGE_MAP()

private:
    // Save for a contact of the phone book, Add for a caller who is not in it.
    void EnableFor(const ContactRecord& contact);
    // After a store, whatever the store answered.
    void Close();
    void WriteContactLog(int code, const ContactRecord& form) const;

    ContactRecord m_contact{};
};

// The process's pop-up.
CPopupDialog& PopupDialog();
