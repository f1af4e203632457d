// fakeexcel.dll: a fake spreadsheet application driven through IDispatch with the dispatch ids of the export. One
// class plays the six kinds of object; each application has a session that counts the calls, holds the cells
// written and the file names read from the environment when it was made.

#include "FakeExcel.h"

#include <ole2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

std::atomic<long> g_objects{0};

std::wstring EnvironmentText(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : L"";
}

void AppendUtf8(const std::wstring& path, const std::wstring& text, const wchar_t* mode) {
    if (path.empty())
        return;
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    if (FILE* file = _wfopen(path.c_str(), mode)) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
}

// "B12" -> column 1, row 12; column letters A-Z and AA-AZ. False for anything else.
bool ParseCell(const std::wstring& address, int& column, int& row) {
    size_t letters = 0;
    while (letters < address.size() && address[letters] >= L'A' && address[letters] <= L'Z')
        ++letters;
    if (letters == 1)
        column = address[0] - L'A';
    else if (letters == 2 && address[0] == L'A')
        column = 26 + address[1] - L'A';
    else
        return false;
    row = _wtoi(address.c_str() + letters);
    return row > 0;
}

std::wstring CsvField(const std::wstring& text) {
    if (text.find_first_of(L",\"\r\n") == std::wstring::npos)
        return text;
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'"')
            quoted += L'"';
        quoted += c;
    }
    return quoted + L"\"";
}

struct Session {
    std::mutex Lock;
    std::wstring LogPath = EnvironmentText(L"FAKE_EXCEL_LOG");
    std::wstring CsvPath = EnvironmentText(L"FAKE_EXCEL_CSV");
    long FailAt = _wtol(EnvironmentText(L"FAKE_EXCEL_FAIL_AT").c_str());
    long Calls = 0;
    std::map<std::pair<int, int>, std::wstring> Cells;  // (row, column) -> text

    void Log(const std::wstring& line) { AppendUtf8(LogPath, line + L"\n", L"ab"); }

    void WriteCsv() {
        if (CsvPath.empty())
            return;
        int rows = 0;
        int columns = 0;
        for (const auto& [cell, text] : Cells) {
            rows = std::max(rows, cell.first);
            columns = std::max(columns, cell.second + 1);
        }
        std::wstring csv;
        for (int row = 1; row <= rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                if (column > 0)
                    csv += L",";
                const auto found = Cells.find({row, column});
                if (found != Cells.end())
                    csv += CsvField(found->second);
            }
            csv += L"\n";
        }
        AppendUtf8(CsvPath, csv, L"wb");
    }
};

enum class Kind { Application, Workbooks, Workbook, Sheets, Worksheet, Range };

const wchar_t* KindName(Kind kind) {
    switch (kind) {
        case Kind::Application:
            return L"Application";
        case Kind::Workbooks:
            return L"Workbooks";
        case Kind::Workbook:
            return L"Workbook";
        case Kind::Sheets:
            return L"Sheets";
        case Kind::Worksheet:
            return L"Worksheet";
        case Kind::Range:
            return L"Range";
    }
    return L"?";
}

std::wstring FlagsText(WORD flags) {
    switch (flags) {
        case DISPATCH_METHOD:
            return L"METHOD";
        case DISPATCH_PROPERTYGET:
            return L"GET";
        case DISPATCH_PROPERTYPUT:
            return L"PUT";
        default:
            return std::to_wstring(flags);
    }
}

std::wstring ArgumentText(const VARIANT& value) {
    wchar_t text[32] = {};
    switch (value.vt) {
        case VT_I2:
            return L"I2:" + std::to_wstring(value.iVal);
        case VT_I4:
            return L"I4:" + std::to_wstring(value.lVal);
        case VT_BOOL:
            return L"BOOL:" + std::to_wstring(value.boolVal);
        case VT_ERROR:
            swprintf(text, 32, L"ERROR:%08lX", static_cast<unsigned long>(value.scode));
            return text;
        case VT_BSTR:
            return L"BSTR:" + std::wstring(value.bstrVal ? value.bstrVal : L"");
        default:
            return L"VT" + std::to_wstring(value.vt);
    }
}

// What a call does: the kind of object it answers (or none), and what its arguments must be.
struct Member {
    Kind Object;
    DISPID Id;
    WORD Flags;
    std::vector<VARTYPE> Arguments;
    bool Answers;
    Kind Answer;
};

const Member kMembers[] = {
    {Kind::Application, 558, DISPATCH_PROPERTYPUT, {VT_BOOL}, false, Kind::Application},
    {Kind::Application, 572, DISPATCH_PROPERTYGET, {}, true, Kind::Workbooks},
    {Kind::Workbooks, 181, DISPATCH_METHOD, {VT_ERROR}, true, Kind::Workbook},
    {Kind::Application, 148, DISPATCH_PROPERTYGET, {}, true, Kind::Workbook},
    {Kind::Workbook, 485, DISPATCH_PROPERTYGET, {}, true, Kind::Sheets},
    {Kind::Sheets, 170, DISPATCH_PROPERTYGET, {VT_I4}, true, Kind::Worksheet},
    {Kind::Worksheet, 304, DISPATCH_METHOD, {}, false, Kind::Worksheet},
    {Kind::Worksheet, 197, DISPATCH_PROPERTYGET, {VT_BSTR, VT_BSTR}, true, Kind::Range},
    {Kind::Range, 6, DISPATCH_PROPERTYPUT, {VT_BSTR}, false, Kind::Range},
    {Kind::Range, 1097, DISPATCH_PROPERTYPUT, {VT_BSTR}, false, Kind::Range},
    {Kind::Range, 1067, DISPATCH_METHOD, {VT_I2, VT_I4, VT_I4, VT_ERROR}, false, Kind::Range},
    {Kind::Range, 136, DISPATCH_PROPERTYPUT, {VT_I2}, false, Kind::Range},
    {Kind::Range, 137, DISPATCH_PROPERTYPUT, {VT_I2}, false, Kind::Range},
    {Kind::Range, 242, DISPATCH_PROPERTYPUT, {VT_I4}, false, Kind::Range},
};

class FakeObject : public IDispatch {
public:
    FakeObject(Kind kind, std::shared_ptr<Session> session, std::wstring address = L"")
        : m_kind(kind), m_session(std::move(session)), m_address(std::move(address)) {
        ++g_objects;
    }
    virtual ~FakeObject() { --g_objects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            if (m_kind == Kind::Application) {
                std::lock_guard<std::mutex> lock(m_session->Lock);
                m_session->WriteCsv();
                m_session->Log(L"Application released");
            }
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        std::lock_guard<std::mutex> lock(m_session->Lock);
        const bool fail = ++m_session->Calls == m_session->FailAt;
        // Invoke receives the arguments last first.
        std::vector<VARIANT> arguments;
        for (UINT i = params->cArgs; i > 0; --i)
            arguments.push_back(params->rgvarg[i - 1]);
        std::wstring line = std::wstring(KindName(m_kind)) + L" " + std::to_wstring(id) + L" " + FlagsText(flags);
        for (const VARIANT& argument : arguments)
            line += L" " + ArgumentText(argument);

        const Member* member = Find(id, flags, arguments);
        const bool namedPut = params->cNamedArgs == 1 && params->rgdispidNamedArgs != nullptr &&
                              params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (member == nullptr || namedPut != (flags == DISPATCH_PROPERTYPUT) ||
            (member->Answers && result == nullptr)) {
            m_session->Log(line + L" BAD");
            return DISP_E_MEMBERNOTFOUND;
        }
        if (fail) {
            m_session->Log(line + L" FAIL");
            if (exception != nullptr) {
                *exception = {};
                exception->bstrSource = ::SysAllocString(L"fakeexcel");
                exception->bstrDescription = ::SysAllocString(L"failed as asked");
            }
            return DISP_E_EXCEPTION;
        }
        m_session->Log(line);
        if (member->Answers) {
            const std::wstring address = m_kind == Kind::Worksheet ? arguments[0].bstrVal : L"";
            ::VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new FakeObject(member->Answer, m_session, address);
        } else if (m_kind == Kind::Range && id == 6) {
            int column = 0;
            int row = 0;
            if (ParseCell(m_address, column, row))
                m_session->Cells[{row, column}] = arguments[0].bstrVal;
        }
        return S_OK;
    }

private:
    const Member* Find(DISPID id, WORD flags, const std::vector<VARIANT>& arguments) const {
        for (const Member& member : kMembers) {
            if (member.Object != m_kind || member.Id != id || member.Flags != flags ||
                member.Arguments.size() != arguments.size())
                continue;
            for (size_t i = 0; i < arguments.size(); ++i) {
                if (arguments[i].vt != member.Arguments[i])
                    return nullptr;
            }
            return &member;
        }
        return nullptr;
    }

    std::atomic<ULONG> m_references{1};
    Kind m_kind;
    std::shared_ptr<Session> m_session;
    std::wstring m_address;  // a range's first cell
};

class FakeFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static: its count does not rule its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* application = new FakeObject(Kind::Application, std::make_shared<Session>());
        const HRESULT hr = application->QueryInterface(iid, object);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

FakeFactory g_factory;

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (clsid != kFakeExcelClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return g_objects == 0 ? S_OK : S_FALSE;
}
