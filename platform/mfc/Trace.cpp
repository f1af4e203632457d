#include "String.h"

#include <cstdarg>

#ifndef NDEBUG
void AfxTrace(const wchar_t* lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    CString text;
    text.FormatV(lpszFormat, args);
    va_end(args);
    ::OutputDebugStringW(text);
}
#endif
