// A DLL that asks for a system colour through its own import table, the way any module of the process does: the
// skin patches that table when it hooks the process's modules.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD CallGetSysColor(int index) {
    return ::GetSysColor(index);
}
