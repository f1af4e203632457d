#include "Json.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string Quoted(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

void CJsonWriter::Key(const char* key) {
    if (m_needComma)
        m_out += ',';
    if (key)
        m_out += Quoted(key) + ":";
    m_needComma = true;
}

CJsonWriter& CJsonWriter::BeginObject(const char* key) {
    Key(key);
    m_out += '{';
    m_needComma = false;
    return *this;
}

CJsonWriter& CJsonWriter::EndObject() {
    m_out += '}';
    m_needComma = true;
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray(const char* key) {
    Key(key);
    m_out += '[';
    m_needComma = false;
    return *this;
}

CJsonWriter& CJsonWriter::EndArray() {
    m_out += ']';
    m_needComma = true;
    return *this;
}

CJsonWriter& CJsonWriter::Number(const char* key, int64_t value) {
    Key(key);
    m_out += std::to_string(value);
    return *this;
}

CJsonWriter& CJsonWriter::Bool(const char* key, bool value) {
    Key(key);
    m_out += value ? "true" : "false";
    return *this;
}

CJsonWriter& CJsonWriter::Text(const char* key, const std::wstring& value) {
    return Text(key, Utf8(value));
}

CJsonWriter& CJsonWriter::Text(const char* key, const std::string& value) {
    Key(key);
    m_out += Quoted(value);
    return *this;
}
