#include "SkinTestSupport.h"

#include "FoundationTestSupport.h"
#include "TestSkins.h"
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
