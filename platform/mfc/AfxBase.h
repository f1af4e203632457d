#pragma once
#include <windows.h>
#include <cassert>

// Definitions every unit of the layer shares: the Win32 headers, assertion macros and the opaque
// iteration position of the collections.

// Assertions are for programmer errors only; data from files, archives and other modules is
// validated, never asserted.
#define ASSERT(f) assert(f)
// Evaluates its argument in every build and asserts it only in debug builds.
#define VERIFY(f) (static_cast<void>((f) ? 0 : (ASSERT(!#f), 0)))

// Developer diagnostics: TRACE(L"format", ...) formats as CString::Format does and writes the line to
// the debugger. Release builds (NDEBUG) compile it, arguments included, to nothing; what operators or
// support must see goes to the system log instead.
#ifdef NDEBUG
#define TRACE(...) (static_cast<void>(0))
#else
#define TRACE(...) AfxTrace(__VA_ARGS__)
void AfxTrace(const wchar_t* lpszFormat, ...);
#endif

// Position inside a list or map; NULL ends an iteration.
struct __POSITION {};
typedef __POSITION* POSITION;

// Passed as the position to start a map iteration from the beginning.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))
