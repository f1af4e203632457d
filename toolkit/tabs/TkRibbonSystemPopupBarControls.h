#pragma once
#include "TkControl.h"
#include "TkControlButton.h"

#include "mfc.h"

// The controls of the ribbon's system menu: the push buttons of its bottom border, the items and the
// caption of its list column, and the recent-file list that fills that column from the application's
// recent files. UI thread.

class CTkRibbonSystemPopupBar;

// A push button in the bottom border of the system menu, drawn as a toolbar button on the look's
// "RIBBONSYSTEMMENUBUTTON" face; a plain button elsewhere.
class CTkRibbonControlSystemPopupBarButton : public CTkControlButton {
    DECLARE_SERIAL(CTkRibbonControlSystemPopupBarButton)
public:
    CTkRibbonControlSystemPopupBarButton();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    CSize GetButtonSize() const override;
    // Its own image is the face inside a system menu.
    BOOL SuppressesButtonFace() const override;

    // The system menu the button sits in; NULL elsewhere.
    CTkRibbonSystemPopupBar* GetSystemPopupBar() const;
};

// An item of the list column: a fixed-size row of text; a numbered item shows its "&n " prefix as a
// number column before the text.
class CTkRibbonControlSystemPopupBarListItem : public CTkControlButton {
    DECLARE_SERIAL(CTkRibbonControlSystemPopupBarListItem)
public:
    CTkRibbonControlSystemPopupBarListItem();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;

    BOOL IsNumbered() const { return m_bNumbered; }

protected:
    BOOL m_bNumbered = FALSE;
};

// The caption of the list column: bold text over an etched line; it starts the column.
class CTkRibbonControlSystemPopupBarListCaption : public CTkControl {
    DECLARE_SERIAL(CTkRibbonControlSystemPopupBarListCaption)
public:
    CTkRibbonControlSystemPopupBarListCaption();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
};

// The caption of the recent files, which puts one numbered item per file of the application's list
// behind itself before every layout of its bar.
class CTkRibbonControlSystemRecentFileList : public CTkRibbonControlSystemPopupBarListCaption {
    DECLARE_SERIAL(CTkRibbonControlSystemRecentFileList)
public:
    // One file of the list; temporary, its tooltip the full path.
    class CControlFileItem : public CTkRibbonControlSystemPopupBarListItem {
    public:
        CControlFileItem();
    };

    // The command of the first file.
    static constexpr int kFirstFileId = ID_FILE_MRU_FILE1;

    CTkRibbonControlSystemRecentFileList();

    // Replaces the items of the last layout by the files listed now (in customisation only the caption
    // shows).
    void PrepareForLayout(DWORD dwLayoutMode) override;

    // "&n title" for the files 1 to 9, the title alone from the tenth on; every '&' of the title doubled.
    static CString FormatFileCaption(const CString& strTitle, int nPosition);
    // The file's title as the shell shows it, else the file-name part of the path.
    static CString GetFileTitleOf(const CString& strPath);
};
