#include "IPAddressCtrl.h"

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const {
    DWORD dwAddress = 0;
    const int nFields = GetAddress(dwAddress);
    nField0 = static_cast<BYTE>(FIRST_IPADDRESS(dwAddress));
    nField1 = static_cast<BYTE>(SECOND_IPADDRESS(dwAddress));
    nField2 = static_cast<BYTE>(THIRD_IPADDRESS(dwAddress));
    nField3 = static_cast<BYTE>(FOURTH_IPADDRESS(dwAddress));
    return nFields;
}
