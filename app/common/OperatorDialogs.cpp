#include "common/OperatorDialogs.h"

BOOL ModelessWindowEntry::Create(CWnd* parent) const {
    if (!m_dialog || !m_dialog->Create(m_templateId, parent))
        return FALSE;
    m_dialog->CenterWindow();
    m_dialog->ShowWindow(SW_HIDE);
    return TRUE;
}

OperatorDialogRegistry& OperatorDialogs() {
    static OperatorDialogRegistry registry;
    return registry;
}
