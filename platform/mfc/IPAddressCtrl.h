#pragma once
#include "Wnd.h"

// CIPAddressCtrl: an IP-address control ("SysIPAddress32"). Addresses are host-order DWORDs, the first
// field in the high byte. Each member is one message to the control.

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(WC_IPADDRESSW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress)); }
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3) {
        SetAddress(static_cast<DWORD>(MAKEIPADDRESS(nField0, nField1, nField2, nField3)));
    }
    // The number of fields that are not blank (a blank field reads as 0).
    int GetAddress(DWORD& dwAddress) const {
        return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress)));
    }
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    BOOL IsBlank() const { return static_cast<BOOL>(SendMessage(IPM_ISBLANK)); }
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper) {
        SendMessage(IPM_SETRANGE, static_cast<WPARAM>(nField), MAKEIPRANGE(nLower, nUpper));
    }
};
