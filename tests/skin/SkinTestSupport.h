#pragma once
#include "mfc.h"

#include "TempFolder.h"
#include "TkSkinManager.h"

#include <gtest/gtest.h>

#include <string>
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
