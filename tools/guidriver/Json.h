// One line of JSON built as the commands find their answers: objects and arrays of numbers, booleans and texts.
#pragma once

#include <cstdint>
#include <string>

class CJsonWriter {
public:
    CJsonWriter& BeginObject(const char* key = nullptr);
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray(const char* key = nullptr);
    CJsonWriter& EndArray();
    CJsonWriter& Number(const char* key, int64_t value);
    CJsonWriter& Bool(const char* key, bool value);
    CJsonWriter& Text(const char* key, const std::wstring& value);
    CJsonWriter& Text(const char* key, const std::string& value);
    // Array elements.
    CJsonWriter& Number(int64_t value) { return Number(nullptr, value); }
    CJsonWriter& Text(const std::wstring& value) { return Text(nullptr, value); }

    const std::string& Str() const { return m_out; }

private:
    void Key(const char* key);

    std::string m_out;
    bool m_needComma = false;
};

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
