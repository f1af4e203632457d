#pragma once
#include "Wnd.h"

// Data exchange between a dialog's (or form's) members and its controls: UpdateData builds a
// CDataExchange and calls the virtual DoDataExchange, which lists the exchanges.

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;          // not owned
};

// Binds control nIDC of the dialog to rControl (subclassing it, so rControl's map and
// PreSubclassWindow apply). A control already bound stays as it is: forms are initialised twice.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
