#pragma once
// What the export tests share with fakeexcel.dll: its class id, and the names of the objects in its log.
//
// The log has one line per Invoke: "<object> <dispid> <flags> <arguments>", the flags as METHOD, GET, PUT or their
// number, each argument as "<type>:<value>" in the caller's order (I2:1, I4:2, BOOL:-1, ERROR:80020004, BSTR:text),
// and " FAIL" at the end of the call that was made to fail. A bad call (a put without the named argument
// DISPID_PROPERTYPUT, an unknown member or argument) is logged with " BAD" and fails. The release of the
// application adds the line "Application released".

#include <windows.h>

// {6A1E5C3B-0F2D-4C84-9B57-3E1D2C4A7F10}
inline constexpr CLSID kFakeExcelClsid = {0x6a1e5c3b, 0x0f2d, 0x4c84, {0x9b, 0x57, 0x3e, 0x1d, 0x2c, 0x4a, 0x7f, 0x10}};
inline constexpr const wchar_t* kFakeExcelClsidText = L"{6A1E5C3B-0F2D-4C84-9B57-3E1D2C4A7F10}";
