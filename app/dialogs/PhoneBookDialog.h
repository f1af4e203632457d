#pragma once
// CPhoneBookDialog: the modal contact form (template IDD_PHONE_BOOK) on which the phone-book pane adds and edits
// contacts; the pane stores the result. OK hands back the form alone: an empty UserID and RecMethod 0, whatever the
// record held, since the recording method is shown and not edited. One stack object per showing, UI thread.

#include "records/StorageRecords.h"

#include "mfc.h"

class CPhoneBookDialog : public CDialog {
public:
    explicit CPhoneBookDialog(const ContactRecord& contact, CWnd* pParent = nullptr);

    // The contact shown, and after IDOK the form.
    const ContactRecord& Contact() const { return m_contact; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ContactRecord m_contact;
};
