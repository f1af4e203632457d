// guidriver: drives the program's windows from outside, as an operator would, for the end-to-end tests under Wine.
// One command per call; the answer is one line of JSON on stdout, {"ok": true, ...} or {"ok": false, "error": ...}.
//
//   find TITLE [TIMEOUT_MS] [visible]        the top-level window of that exact title
//   find-prefix TEXT [TIMEOUT_MS] [visible]  the top-level window whose title starts with TEXT
//   info HWND | children HWND | toplevels HWND
//   wait-hidden HWND TIMEOUT_MS              until the window is hidden or destroyed
//   settext HWND TEXT | click HWND | command HWND ID
//   post HWND MSG WPARAM LPARAM | send HWND MSG WPARAM LPARAM
//   list HWND | list-select HWND ROW | header HWND | status HWND | toolbar HWND | tree HWND | tree-select HWND ITEM
//   capture HWND FILE.bmp | pixels HWND X Y [X Y ...]
//   wave-out                                 the number of sound output devices this process sees
//
// Everything that may open a modal dialog in the program is posted, never sent: a sent message would keep the
// driver waiting for the dialog to close.
#include "Capture.h"
#include "ControlReads.h"
#include "Json.h"
#include "RemoteBuffer.h"
#include "WindowFind.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

struct Failure {
    std::string Message;
};

int64_t Number(const Args& args, size_t index) {
    if (index >= args.size())
        throw Failure{"missing argument"};
    wchar_t* end = nullptr;
    const int64_t value = std::wcstoll(args[index].c_str(), &end, 0);
    if (end == args[index].c_str() || *end != L'\0')
        throw Failure{"not a number: " + Utf8(args[index])};
    return value;
}

const std::wstring& Text(const Args& args, size_t index) {
    if (index >= args.size())
        throw Failure{"missing argument"};
    return args[index];
}

HWND Window(const Args& args, size_t index) {
    const HWND window = reinterpret_cast<HWND>(Number(args, index));
    if (!::IsWindow(window))
        throw Failure{"no such window"};
    return window;
}

void Find(const Args& args, TitleMatch match, CJsonWriter& out) {
    const DWORD timeout = args.size() > 1 ? static_cast<DWORD>(Number(args, 1)) : 0;
    const bool visibleOnly = args.size() > 2 && args[2] == L"visible";
    const HWND window = WaitForTopLevel(Text(args, 0), match, visibleOnly, timeout);
    if (!window)
        throw Failure{"not found"};
    DescribeWindow(window, out);
}

void WaitHidden(const Args& args, CJsonWriter& out) {
    const HWND window = reinterpret_cast<HWND>(Number(args, 0));
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(Number(args, 1));
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount64() >= deadline)
            throw Failure{"still shown"};
        ::Sleep(50);
    }
    out.Bool("exists", ::IsWindow(window) != FALSE);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!::PostMessageW(window, message, wParam, lParam))
        throw Failure{"post failed"};
}

void Read(bool (*reader)(HWND, CJsonWriter&), const Args& args, CJsonWriter& out) {
    if (!reader(Window(args, 0), out))
        throw Failure{"cannot read the control"};
}

CClientCapture Capture(HWND window) {
    CClientCapture capture;
    if (!capture.Take(window))
        throw Failure{"capture failed"};
    return capture;
}

void Pixels(const Args& args, CJsonWriter& out) {
    const CClientCapture capture = Capture(Window(args, 0));
    out.Number("width", capture.Width()).Number("height", capture.Height());
    out.BeginArray("pixels");
    for (size_t i = 1; i + 1 < args.size(); i += 2)
        out.Number(capture.Pixel(static_cast<int>(Number(args, i)), static_cast<int>(Number(args, i + 1))));
    out.EndArray();
}

using Command = std::function<void(const Args&, CJsonWriter&)>;

const std::vector<std::pair<std::wstring, Command>>& Commands() {
    static const std::vector<std::pair<std::wstring, Command>> commands = {
        {L"find", [](const Args& a, CJsonWriter& out) { Find(a, TitleMatch::Exact, out); }},
        {L"find-prefix", [](const Args& a, CJsonWriter& out) { Find(a, TitleMatch::Prefix, out); }},
        {L"info", [](const Args& a, CJsonWriter& out) { DescribeWindow(Window(a, 0), out); }},
        {L"children", [](const Args& a, CJsonWriter& out) { DescribeChildren(Window(a, 0), out); }},
        {L"toplevels", [](const Args& a, CJsonWriter& out) { DescribeTopLevelsOfProcess(Window(a, 0), out); }},
        {L"wait-hidden", WaitHidden},
        {L"settext",
         [](const Args& a, CJsonWriter& out) {
             out.Number("result",
                        SendWithin(Window(a, 0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text(a, 1).c_str())));
         }},
        {L"click", [](const Args& a, CJsonWriter&) { Post(Window(a, 0), BM_CLICK, 0, 0); }},
        {L"command",
         [](const Args& a, CJsonWriter&) { Post(Window(a, 0), WM_COMMAND, static_cast<WPARAM>(Number(a, 1)), 0); }},
        {L"post",
         [](const Args& a, CJsonWriter&) {
             Post(Window(a, 0), static_cast<UINT>(Number(a, 1)), static_cast<WPARAM>(Number(a, 2)),
                  static_cast<LPARAM>(Number(a, 3)));
         }},
        {L"send",
         [](const Args& a, CJsonWriter& out) {
             out.Number("result", SendWithin(Window(a, 0), static_cast<UINT>(Number(a, 1)),
                                             static_cast<WPARAM>(Number(a, 2)), static_cast<LPARAM>(Number(a, 3))));
         }},
        {L"list", [](const Args& a, CJsonWriter& out) { Read(ReadListView, a, out); }},
        {L"list-select",
         [](const Args& a, CJsonWriter&) {
             if (!SelectListRow(Window(a, 0), static_cast<int>(Number(a, 1))))
                 throw Failure{"cannot select the row"};
         }},
        {L"header", [](const Args& a, CJsonWriter& out) { Read(ReadHeader, a, out); }},
        {L"status", [](const Args& a, CJsonWriter& out) { Read(ReadStatusBar, a, out); }},
        {L"toolbar", [](const Args& a, CJsonWriter& out) { Read(ReadToolBar, a, out); }},
        {L"tree", [](const Args& a, CJsonWriter& out) { Read(ReadTree, a, out); }},
        {L"tree-select",
         [](const Args& a, CJsonWriter& out) {
             out.Number("result",
                        SendWithin(Window(a, 0), TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(Number(a, 1))));
         }},
        {L"capture",
         [](const Args& a, CJsonWriter& out) {
             const CClientCapture capture = Capture(Window(a, 0));
             if (!capture.WriteBmp(Text(a, 1)))
                 throw Failure{"cannot write the file"};
             out.Number("width", capture.Width()).Number("height", capture.Height());
         }},
        {L"pixels", Pixels},
        {L"wave-out", [](const Args&, CJsonWriter& out) { out.Number("devices", ::waveOutGetNumDevs()); }},
    };
    return commands;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CJsonWriter out;
    out.BeginObject();
    int code = 1;
    const std::wstring name = argc > 1 ? argv[1] : L"";
    const Args args(argv + (argc > 1 ? 2 : argc), argv + argc);
    try {
        const auto& commands = Commands();
        auto found = std::find_if(commands.begin(), commands.end(), [&](const auto& c) { return c.first == name; });
        if (found == commands.end())
            throw Failure{"unknown command: " + Utf8(name)};
        found->second(args, out);
        out.Bool("ok", true);
        code = 0;
    } catch (const Failure& failure) {
        out.Bool("ok", false).Text("error", failure.Message);
    }
    out.EndObject();
    std::printf("%s\n", out.Str().c_str());
    return code;
}
