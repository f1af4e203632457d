// The state-coded skin in a module with code: its DllMain leaves a trace in the process environment, so a test
// sees whether opening the skin ran code of the skin file.
#include "TestSkins.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        ::SetEnvironmentVariableW(kDllMainVariable, L"1");
    return TRUE;
}
