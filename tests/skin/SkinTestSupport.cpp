#include "SkinTestSupport.h"

#include "FoundationTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerMetrics.h"

#include <cstring>
#include <filesystem>
#include <fstream>

std::vector<BYTE> MakeDib(int nWidth, int nHeight, int nBitCount, const std::vector<DWORD>& pixels,
                          const std::vector<RGBQUAD>& palette) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = nWidth;
    header.biHeight = nHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(nBitCount);
    header.biCompression = BI_RGB;
    header.biClrUsed = static_cast<DWORD>(palette.size());
    const size_t nRowSize = (static_cast<size_t>(nBitCount) * nWidth + 31) / 32 * 4;
    std::vector<BYTE> dib(sizeof(header) + palette.size() * sizeof(RGBQUAD) + nRowSize * nHeight);
    std::memcpy(dib.data(), &header, sizeof(header));
    if (!palette.empty())
        std::memcpy(dib.data() + sizeof(header), palette.data(), palette.size() * sizeof(RGBQUAD));
    BYTE* pRows = dib.data() + sizeof(header) + palette.size() * sizeof(RGBQUAD);
    for (int y = 0; y < nHeight; ++y) {
        BYTE* pRow = pRows + nRowSize * (nHeight - 1 - y);
        for (int x = 0; x < nWidth; ++x) {
            const DWORD dwPixel = pixels[static_cast<size_t>(y) * nWidth + x];
            if (nBitCount == 32)
                std::memcpy(pRow + x * 4, &dwPixel, 4);
            else if (nBitCount == 24)
                std::memcpy(pRow + x * 3, &dwPixel, 3);
            else
                pRow[x] = static_cast<BYTE>(dwPixel);
        }
    }
    return dib;
}

void WriteBytes(const std::wstring& path, const void* pData, size_t nSize) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(static_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
}

void WriteBmpFile(const std::wstring& path, const std::vector<BYTE>& dib) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof(header));
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = static_cast<DWORD>(sizeof(fileHeader) + dib.size());
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof(fileHeader) + header.biSize + header.biClrUsed * 4);
    std::vector<BYTE> bytes(sizeof(fileHeader));
    std::memcpy(bytes.data(), &fileHeader, sizeof(fileHeader));
    bytes.insert(bytes.end(), dib.begin(), dib.end());
    WriteBytes(path, bytes.data(), bytes.size());
}

std::vector<BYTE> Utf16Bytes(const std::wstring& text) {
    std::vector<BYTE> bytes(text.size() * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

std::wstring ProgramFolderFile(LPCWSTR pszName) {
    wchar_t szProgram[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szProgram, MAX_PATH);
    std::wstring path = szProgram;
    return path.substr(0, path.rfind(L'\\') + 1) + pszName;
}

SkinModuleFile::SkinModuleFile(LPCWSTR pszBaseModule) : m_path(m_folder.WidePath() + L"\\Skin.vardle") {
    EXPECT_TRUE(::CopyFileW(ProgramFolderFile(pszBaseModule).c_str(), m_path.c_str(), FALSE));
    m_hUpdate = ::BeginUpdateResourceW(m_path.c_str(), FALSE);
    EXPECT_NE(m_hUpdate, nullptr) << "cannot update a copy of the module";
}

void SkinModuleFile::Add(LPCWSTR pszType, LPCWSTR pszName, const std::vector<BYTE>& data) {
    EXPECT_TRUE(::UpdateResourceW(m_hUpdate, pszType, pszName, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                  const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size())));
}

const std::wstring& SkinModuleFile::Commit() {
    EXPECT_TRUE(::EndUpdateResourceW(m_hUpdate, FALSE));
    m_hUpdate = nullptr;
    return m_path;
}

LoadedSkin::LoadedSkin(LPCWSTR pszModule, DWORD dwOptions) {
    m_manager.SetSkinningOptions(dwOptions);
    EXPECT_TRUE(m_manager.LoadSkinData(ProgramFolderFile(pszModule).c_str(), nullptr)) << "cannot load the skin";
    m_manager.GetMetrics()->RefreshMetrics();
}

SkinFromText::SkinFromText(const std::string& iniText, DWORD dwOptions) : m_folderPath(m_folder.WidePath()) {
    m_manager.SetSkinningOptions(dwOptions);
    EXPECT_TRUE(Reload(iniText));
}

BOOL SkinFromText::Reload(const std::string& iniText) {
    WriteBytes(m_folderPath + L"\\skin.ini", iniText.data(), iniText.size());
    return m_manager.LoadSkinData(m_folderPath.c_str(), L"skin.ini");
}

CTkSkinManager* OpenStateCodedSkin(DWORD dwOptions) {
    CTkSkinManager* pManager = GetSkinManager();
    pManager->SetSkinningOptions(dwOptions);
    EXPECT_TRUE(pManager->OpenSkin(ProgramFolderFile(kStateCodedModule).c_str(), nullptr));
    return pManager;
}

FARPROC SystemEntry(LPCWSTR pszModule, LPCSTR pszFunction) {
    // The hook's own GetProcAddress when it holds one: the test's import may be the replacement.
    auto pfnGetProcAddress =
        reinterpret_cast<decltype(&::GetProcAddress)>(GetSkinApiHook()->GetSystemFunction(tkSlotGetProcAddress));
    if (pfnGetProcAddress == nullptr)
        pfnGetProcAddress = &::GetProcAddress;
    return pfnGetProcAddress(::GetModuleHandleW(pszModule), pszFunction);
}

SkinCanvas::SkinCanvas(int cx, int cy) : CScopedMemDC(cx, cy) {
    FillSolidRect(0, 0, cx, cy, kCanvasBackground);
}

COLORREF SkinCanvas::At(int x, int y) const {
    return PixelAt(*this, x, y);
}

void ExpectSamples(const SkinCanvas& dc, const std::vector<SkinSample>& samples, const char* pszWhat) {
    for (const SkinSample& sample : samples)
        EXPECT_EQ(dc.At(sample.x, sample.y), sample.clr) << pszWhat << " at " << sample.x << "," << sample.y;
}

std::string DecodedCell(COLORREF clr) {
    TestSkinCell cell{};
    if (!DecodeTestSkinColor(clr, cell))
        return "not a cell";
    return std::to_string(cell.cls) + "." + std::to_string(cell.part) + "(" + std::to_string(cell.state) + ")";
}

std::string CellName(int nClass, int nPart, int nState) {
    return DecodedCell(TestSkinCellColor(nClass, nPart, nState));
}

int ExpectThumbDrag(const std::vector<ScrollNotification>& sent, int nStart) {
    EXPECT_EQ(sent.size(), 4u);
    if (sent.size() != 4)
        return nStart;
    EXPECT_EQ(sent[0].nCommand, SB_THUMBTRACK);
    EXPECT_EQ(sent[0].nPosition, nStart);
    EXPECT_EQ(sent[1].nCommand, SB_THUMBTRACK);
    const int nDragged = sent[1].nPosition;
    EXPECT_NE(nDragged, nStart);
    EXPECT_EQ(sent[1].nTrackPos, nDragged) << "the dragged position is the track position";
    EXPECT_EQ(sent[2].nCommand, SB_THUMBPOSITION);
    EXPECT_EQ(sent[2].nPosition, nDragged);
    EXPECT_EQ(sent[3].nCommand, SB_ENDSCROLL);
    return nDragged;
}

// ---- Controls on a recording parent

RecorderParent::RecorderParent(int cx, int cy) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecorderParent::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TesselonSkinRecorder";
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, cx, cy, nullptr,
                               nullptr, wc.hInstance, this);
    EXPECT_NE(m_hWnd, nullptr);
}

RecorderParent::~RecorderParent() {
    ::DestroyWindow(m_hWnd);
}

HWND RecorderParent::AddChild(LPCWSTR pszClass, LPCWSTR pszText, DWORD dwStyle, const RECT& rc, DWORD dwExStyle,
                              int nId) {
    HWND hChild =
        ::CreateWindowExW(dwExStyle, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                          rc.right - rc.left, rc.bottom - rc.top, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(hChild, nullptr) << CStringA(pszClass).GetString();
    return hChild;
}

int RecorderParent::Count(UINT message) const {
    int nCount = 0;
    for (const ParentMessage& logged : m_log)
        nCount += logged.message == message ? 1 : 0;
    return nCount;
}

std::vector<DWORD> RecorderParent::Stages() const {
    std::vector<DWORD> stages;
    for (const ParentMessage& logged : m_log) {
        if (logged.message == WM_NOTIFY)
            stages.push_back(logged.dwStage);
    }
    return stages;
}

LRESULT CALLBACK RecorderParent::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* pThis = reinterpret_cast<RecorderParent*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    const bool bCustomDraw = message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW;
    const bool bCtlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    if (pThis == nullptr || !(bCustomDraw || bCtlColor || message == WM_DRAWITEM))
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    ParentMessage logged = {message, 0, 0, 0};
    if (bCustomDraw) {
        const auto* pDraw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        logged = {message, pDraw->dwDrawStage, pDraw->dwItemSpec, pDraw->uItemState};
    } else if (message == WM_DRAWITEM) {
        logged.dwItemSpec = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemID;
    }
    pThis->m_log.push_back(logged);
    LRESULT lResult = 0;
    if (pThis->m_script && pThis->m_script(message, wParam, lParam, &lResult))
        return lResult;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void PrintInto(SkinCanvas& dc, HWND hWnd, UINT message, LPARAM nFlags) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kCanvasBackground);
    ::SendMessageW(hWnd, message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), nFlags);
}

HWND FindThreadWindow(LPCWSTR pszClass, DWORD dwThreadId) {
    struct Search {
        LPCWSTR pszClass;
        HWND hFound;
    } search = {pszClass, nullptr};
    ::EnumThreadWindows(
        dwThreadId,
        [](HWND hWnd, LPARAM lParam) {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            wchar_t szClass[64] = L"";
            ::GetClassNameW(hWnd, szClass, 64);
            if (_wcsicmp(szClass, pSearch->pszClass) != 0)
                return TRUE;
            pSearch->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}
