#pragma once
#include "mfc.h"

// Import-address-table patching of a module mapped in this process.
//
// A module's imports are foreign memory: a damaged or hostile module may point its import directory,
// descriptor names or address tables anywhere. Every read is therefore checked first (an image of this
// process, MZ and PE signatures of this build's word size, every address inside the image and on readable
// pages); at the first doubt nothing is written and the patch fails. The caller serialises patching.

// In every import descriptor of hModule that names pszImportModule (letters A-Z compared without case), the
// first import-address entry equal to pFrom becomes pTo. FALSE, with nothing written, when the module is not
// a sound image of this process, its import table is damaged, or no entry matched.
BOOL PatchModuleImports(HMODULE hModule, LPCSTR pszImportModule, const void* pFrom, const void* pTo);

// Whether a module handle may be patched at all: handles of modules mapped as data files or image
// resources carry low bits and are never images whose code runs.
BOOL IsPatchableModuleHandle(HMODULE hModule);

// Letters A-Z folded, nothing else: module and function names are ASCII.
BOOL EqualsAsciiNoCase(LPCSTR pszA, LPCSTR pszB);
