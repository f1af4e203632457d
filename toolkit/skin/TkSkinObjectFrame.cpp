#include "TkSkinObjectFrame.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectFrame, CTkSkinObject)

CTkSkinObjectFrame::CTkSkinObjectFrame() {
    m_strClassName = L"WINDOW";
}
