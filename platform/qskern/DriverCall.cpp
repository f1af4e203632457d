// DriverCall.cpp - formatting the journal's arguments.
#include "DriverCall.h"

#include <cstdarg>
#include <cstdio>

std::string FormatArguments(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string QuoteText(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : "null";
}

std::string QuoteOutput(const char* text, int result) {
    return result >= 0 ? QuoteText(text) : "?";
}
