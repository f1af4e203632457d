#include "Button.h"
#include "WndMsgMap.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BEGIN_MESSAGE_MAP(CButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()
