#pragma once
// CUpdateRecDialog: the modal notes form of one call record (template IDD_UPDATE_NOTES); its opener stores the
// notes after IDOK. One stack object per showing, UI thread.

#include "mfc.h"

class CUpdateRecDialog : public CDialog {
public:
    explicit CUpdateRecDialog(const wchar_t* notes, CWnd* pParent = nullptr);

    // The notes shown, and after IDOK the notes typed: at most 249 characters.
    const wchar_t* Notes() const { return m_notes; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    wchar_t m_notes[256] = {};
};
