#pragma once
#include "mfc.h"

#include <ostream>

// Lets GoogleTest show strings in failure messages (as UTF-8).
inline void PrintTo(const CStringW& text, std::ostream* os) {
    *os << '"' << AfxW2A(text, CP_UTF8).GetString() << '"';
}
