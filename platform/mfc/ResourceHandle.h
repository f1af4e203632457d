#pragma once
#include "AfxBase.h"

// The module the program runs from and the one module its resources are loaded from (the program
// itself unless a language module was set). Set on the UI thread at start-up; read from any thread.

// The executable's module.
HINSTANCE AfxGetInstanceHandle();
// The current resource module; the executable's module by default.
HINSTANCE AfxGetResourceHandle();
// Makes hInstResource the module resources are loaded from.
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds a resource, and the one that holds string nID: the current resource module.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
HINSTANCE AfxFindStringResourceHandle(UINT nID);
