#pragma once
// The storage layer's error: an SQLite result code, or kSqliteWrapperError for errors of the layer itself, and the
// message "<code name>[<code>]: <text>". Thrown by value inside the stores; every store function catches it and
// answers its failure value, so it never reaches the stores' callers. The message is never shown to the user.

#include <string>

// The layer's own result code; its errors carry one of the texts below.
constexpr int kSqliteWrapperError = 1000;

constexpr const wchar_t* kErrDatabaseNotOpen = L"Database not open";
constexpr const wchar_t* kErrNullStatement = L"Null Virtual Machine pointer";
constexpr const wchar_t* kErrInvalidScalarQuery = L"Invalid scalar query";
constexpr const wchar_t* kErrInvalidFieldIndex = L"Invalid field index requested";
constexpr const wchar_t* kErrInvalidFieldName = L"Invalid field name requested";

class CSqliteException {
public:
    // A null text counts as empty.
    CSqliteException(int code, const wchar_t* text);
    virtual ~CSqliteException() = default;

    int ErrorCode() const { return m_code; }
    const wchar_t* ErrorMessage() const { return m_message.c_str(); }
    // Whether the error is a statement interrupted by CSqliteDB::Interrupt.
    bool IsInterrupt() const;

    // The published name of an SQLite result code (0 to 25, 100, 101), "SQLITE_WRAPPER_ERROR" for 1000,
    // "UNKNOWN_ERROR" for anything else.
    static const wchar_t* CodeName(int code);

private:
    int m_code;
    std::wstring m_message;
};
