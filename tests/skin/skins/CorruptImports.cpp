// A DLL that imports GetSysColor like the probe DLL; after linking, tools/corrupt_imports.py points its import
// descriptors outside the image, so that walking its import table unchecked reads memory it does not own.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD CorruptCallGetSysColor(int index) {
    return ::GetSysColor(index);
}
