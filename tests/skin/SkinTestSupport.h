#pragma once
#include "mfc.h"

#include "TempFolder.h"
#include "TkSkinManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Drawing tests: a 32-bpp canvas filled with a colour no skin draws, pixels sampled from it, and the
// state-coded skin's cells named as "class.part(state)".
constexpr COLORREF kCanvasBackground = RGB(1, 2, 3);

class SkinCanvas : public CScopedMemDC {
public:
    SkinCanvas(int cx, int cy);
    COLORREF At(int x, int y) const;
};

struct SkinSample {
    int x;
    int y;
    COLORREF clr;
};

// Every sample's pixel, reported with what was drawn.
void ExpectSamples(const SkinCanvas& dc, const std::vector<SkinSample>& samples, const char* pszWhat);
// The cell a state-coded pixel stands for, "not a cell" for any other colour.
std::string DecodedCell(COLORREF clr);
std::string CellName(int nClass, int nPart, int nState);
// The state-coded skin's ids of the classes the tests sample.
constexpr int kSysMetrics = 3;
constexpr int kListBox = 4;
constexpr int kWindow = 6;
constexpr int kButton = 7;
constexpr int kToolBar = 9;
constexpr int kListView = 12;
constexpr int kHeader = 13;
constexpr int kProgress = 14;
constexpr int kTab = 15;
constexpr int kTrackBar = 16;
constexpr int kTreeView = 18;
constexpr int kSpin = 19;
constexpr int kScrollBar = 21;
constexpr int kEdit = 22;
constexpr int kComboBox = 23;

// What a control sent its parent: the message, and for NM_CUSTOMDRAW its stage, item and item state.
struct ParentMessage {
    UINT message;
    DWORD dwStage;
    DWORD_PTR dwItemSpec;
    UINT nItemState;
};

// A visible top-level window at the screen's corner to put controls on. It logs the custom-draw
// notifications, WM_DRAWITEM and the control-colour requests its children send, and answers them as the
// test's script says (unanswered ones get the default processing, which the skin answers).
class RecorderParent {
public:
    // Answers a message: TRUE with *pResult set, or FALSE for the default processing.
    using Script = std::function<BOOL(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)>;

    explicit RecorderParent(int cx = 400, int cy = 300);
    ~RecorderParent();
    RecorderParent(const RecorderParent&) = delete;
    RecorderParent& operator=(const RecorderParent&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    // A child control of a window class at the rectangle; id 100 unless given.
    HWND AddChild(LPCWSTR pszClass, LPCWSTR pszText, DWORD dwStyle, const RECT& rc, DWORD dwExStyle = 0, int nId = 100);
    void SetScript(Script script) { m_script = std::move(script); }
    std::vector<ParentMessage>& Log() { return m_log; }
    // How many times the message was logged.
    int Count(UINT message) const;
    // The custom-draw stages logged, in order.
    std::vector<DWORD> Stages() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    Script m_script;
    std::vector<ParentMessage> m_log;
};

// The calling thread's (or another thread's) first window of a class: other test processes on the same
// display have windows of the same classes.
HWND FindThreadWindow(LPCWSTR pszClass, DWORD dwThreadId = ::GetCurrentThreadId());

// Prints the window into the canvas, cleared to the canvas colour first: its client area (WM_PRINTCLIENT,
// PRF_CLIENT) unless another message and flags are given. Printing pumps no messages.
void PrintInto(SkinCanvas& dc, HWND hWnd, UINT message = WM_PRINTCLIENT, LPARAM nFlags = PRF_CLIENT);
// The class, part and state the state-coded pixel at (x, y) stands for.
inline std::string CellAt(const SkinCanvas& dc, int x, int y) {
    return DecodedCell(dc.At(x, y));
}

// Helpers of the skin tests: skin modules made from the test's own resources, bitmaps in the stored
// DIB form, and a manager over an INI text written to a temporary folder.

// A packed DIB (header, palette, bottom-up rows) of width x height. Pixels are 0xAARRGGBB, top row
// first; 24-bit rows drop the alpha, 8-bit rows take the pixel's low byte as the palette index.
std::vector<BYTE> MakeDib(int nWidth, int nHeight, int nBitCount, const std::vector<DWORD>& pixels,
                          const std::vector<RGBQUAD>& palette = {});
// The same pixels in a BMP file.
void WriteBmpFile(const std::wstring& path, const std::vector<BYTE>& dib);
void WriteBytes(const std::wstring& path, const void* pData, size_t nSize);
// UTF-16LE bytes of a text, with no terminator.
std::vector<BYTE> Utf16Bytes(const std::wstring& text);

// A file beside the test program (the modules the build puts there).
std::wstring ProgramFolderFile(LPCWSTR pszName);

// A copy of a module that the test fills with resources; the file lives as long as the object.
class SkinModuleFile {
public:
    // A resource-only module by default; the code module of the side-effect test on request.
    explicit SkinModuleFile(LPCWSTR pszBaseModule = L"SkinModuleBase.dll");
    void Add(LPCWSTR pszType, LPCWSTR pszName, const std::vector<BYTE>& data);
    void AddText(LPCWSTR pszName, const std::wstring& text) { Add(L"TEXTFILE", pszName, Utf16Bytes(text)); }
    // Writes the resources; the path is then ready to open.
    const std::wstring& Commit();
    const std::wstring& Path() const { return m_path; }

private:
    CTempFolder m_folder;
    std::wstring m_path;
    HANDLE m_hUpdate = nullptr;
};

// The process's manager with the state-coded skin module opened under the given options (TRUE expected).
CTkSkinManager* OpenStateCodedSkin(DWORD dwOptions = 7);
// The system's own function of user32 or gdi32, past any patched import.
FARPROC SystemEntry(LPCWSTR pszModule, LPCSTR pszFunction);
// A manager with one of the build's skins (a module path relative to the test program), its metrics
// refreshed.
class LoadedSkin {
public:
    explicit LoadedSkin(LPCWSTR pszModule, DWORD dwOptions = 7);
    CTkSkinManager& Manager() { return m_manager; }

private:
    CTkSkinManager m_manager;
};

// A manager whose skin is an INI text in a folder of its own (images may be put beside it).
class SkinFromText {
public:
    explicit SkinFromText(const std::string& iniText, DWORD dwOptions = 7);
    CTkSkinManager& Manager() { return m_manager; }
    const std::wstring& Folder() const { return m_folderPath; }
    // Reloads the skin from a new text.
    BOOL Reload(const std::string& iniText);

private:
    CTempFolder m_folder;
    std::wstring m_folderPath;
    CTkSkinManager m_manager;
};

// A WM_HSCROLL or WM_VSCROLL a test window received, with the track position its bar answered then.
struct ScrollNotification {
    int nCommand;
    int nPosition;
    int nTrackPos;
};
// Checks the notifications of one thumb drag from nStart to another position: the drag's start, the new
// position (answered as the track position too), the release at it and the end. Answers the new position.
int ExpectThumbDrag(const std::vector<ScrollNotification>& sent, int nStart);
