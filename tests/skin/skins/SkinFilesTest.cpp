// The skin files as built, before any skin code reads them: the program's skin and the test skins hold their
// INI texts in the form the skin's reader needs (it skips nothing it does not understand and says nothing), every
// image they name is there and decodes, and the test skins hold what TestSkins.h says they hold.
#include "TestSkins.h"
#include "TkGraphicBitmapPng.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

std::wstring BesideProgram(const wchar_t* pszRelative) {
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring path = szPath;
    return path.substr(0, path.rfind(L'\\') + 1) + pszRelative;
}

struct FreeModule {
    void operator()(HMODULE hModule) const { ::FreeLibrary(hModule); }
};
using ModulePtr = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;

ModulePtr LoadModule(const wchar_t* pszRelative, DWORD dwFlags = LOAD_LIBRARY_AS_DATAFILE) {
    return ModulePtr(::LoadLibraryExW(BesideProgram(pszRelative).c_str(), nullptr, dwFlags));
}

std::vector<BYTE> ResourceBytes(HMODULE hModule, const std::wstring& name, LPCWSTR pszType) {
    HRSRC hResource = ::FindResourceW(hModule, name.c_str(), pszType);
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const BYTE* pData = hData ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr)
        return {};
    return std::vector<BYTE>(pData, pData + ::SizeofResource(hModule, hResource));
}

// A TEXTFILE resource as UTF-16 characters, its byte-order mark included.
std::wstring ResourceText(HMODULE hModule, const std::wstring& name) {
    const std::vector<BYTE> bytes = ResourceBytes(hModule, name, L"TEXTFILE");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

// The skin reads UTF-16LE, skips one leading byte-order mark and delivers only lines ended by CR; the build
// writes CR LF after every line.
void ExpectSkinText(HMODULE hModule, const std::wstring& name) {
    SCOPED_TRACE(name);
    const std::vector<BYTE> bytes = ResourceBytes(hModule, name, L"TEXTFILE");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.size() % 2, 0u);
    const std::wstring text = ResourceText(hModule, name);
    EXPECT_EQ(text[0], L'\xFEFF');
    EXPECT_EQ(text.find(L'\xFEFF', 1), std::wstring::npos);
    EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            EXPECT_EQ(text[i + 1], L'\n') << "CR without LF at " << i;
        }
        if (text[i] == L'\n') {
            EXPECT_EQ(text[i - 1], L'\r') << "LF without CR at " << i;
        }
    }
}

// The INI name that THEMES_INI announces, as a resource name.
std::wstring SkinIniResource(HMODULE hModule) {
    const std::wstring themes = ResourceText(hModule, L"THEMES_INI");
    const size_t start = themes.find(L"[File.");
    const size_t end = themes.find(L']', start);
    if (start == std::wstring::npos || end == std::wstring::npos)
        return {};
    return themes.substr(start + 6, end - start - 6) + L"_INI";
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z')
            c = c - L'a' + L'A';
    return text;
}

std::wstring Trim(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    const size_t last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
}

// One section of an INI text, read as the skin reads it: leading blanks and everything from ';' dropped, letters
// upper-cased; the header as it stands (with its brackets).
struct IniSection {
    std::wstring header;
    std::map<std::wstring, std::wstring> values;
};

std::vector<IniSection> ReadIni(const std::wstring& text) {
    std::vector<IniSection> sections;
    size_t position = text[0] == L'\xFEFF' ? 1 : 0;
    for (size_t end; (end = text.find(L'\r', position)) != std::wstring::npos; position = end + 2) {
        std::wstring line = text.substr(position, end - position);
        line = Upper(line.substr(0, line.find(L';')));
        line.erase(0, std::min(line.size(), line.find_first_not_of(L" \t")));
        if (line.empty())
            continue;
        if (line[0] == L'[')
            sections.push_back({line, {}});
        else if (const size_t equals = line.find(L'='); equals != std::wstring::npos && !sections.empty())
            sections.back().values[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
    }
    return sections;
}

std::vector<IniSection> ReadSkinIni(HMODULE hModule) {
    return ReadIni(ResourceText(hModule, SkinIniResource(hModule)));
}

// The image properties, each with the flag that lets its magenta pixels show what lies below: elsewhere magenta
// would be drawn as it is. A section's images all have IMAGECOUNT cells.
struct ImageProperty {
    const wchar_t* name;
    const wchar_t* transparency;
};
const ImageProperty kImageProperties[] = {
    {L"IMAGEFILE", L"TRANSPARENT"},
    {L"GLYPHIMAGEFILE", L"GLYPHTRANSPARENT"},
    {L"STOCKIMAGEFILE", nullptr},
};

// A colour as the INI writes it.
std::wstring ColorText(COLORREF color) {
    return std::to_wstring(GetRValue(color)) + L" " + std::to_wstring(GetGValue(color)) + L" " +
           std::to_wstring(GetBValue(color));
}

std::wstring ImageResource(std::wstring name) {
    for (wchar_t& c : name)
        if (c == L'.' || c == L'\\')
            c = L'_';
    return name;
}

// A decoded PNG resource: size, alpha flag and pixels as 0xAARRGGBB, top row first.
struct Png {
    int cx = 0;
    int cy = 0;
    bool alpha = false;
    std::vector<DWORD> pixels;

    COLORREF Color(int x, int y) const {
        const DWORD pixel = pixels[static_cast<size_t>(y) * cx + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
    int Alpha(int x, int y) const { return pixels[static_cast<size_t>(y) * cx + x] >> 24; }
};

bool DecodePng(HMODULE hModule, const std::wstring& name, Png& png) {
    CTkGraphicBitmapPng bitmap;
    if (!bitmap.LoadFromResource(hModule, ::FindResourceW(hModule, name.c_str(), L"PNG")))
        return false;
    DIBSECTION dib = {};
    if (::GetObjectW(bitmap.GetSafeHandle(), sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32)
        return false;
    png.cx = dib.dsBm.bmWidth;
    png.cy = dib.dsBm.bmHeight;
    png.alpha = bitmap.IsAlpha() != FALSE;
    const DWORD* pBits = static_cast<const DWORD*>(dib.dsBm.bmBits);  // top-down rows
    png.pixels.assign(pBits, pBits + static_cast<size_t>(png.cx) * png.cy);
    return true;
}

struct ModuleCase {
    const wchar_t* path;
    bool images;  // holds PNG images (the damaged-bitmap skin holds bitmaps)
};
const ModuleCase kSkinModules[] = {
    {kProgramSkin, true},
    {kStateCodedModule, true},
    {kDllMainModule, true},
    {kBadBitmapModule, false},
};

TEST(SkinFiles, ModulesHoldTheirTextsAsTheSkinReadsThem) {
    for (const ModuleCase& test : kSkinModules) {
        SCOPED_TRACE(test.path);
        ModulePtr module = LoadModule(test.path);
        ASSERT_TRUE(module);
        ExpectSkinText(module.get(), L"THEMES_INI");
        const std::wstring ini = SkinIniResource(module.get());
        ASSERT_FALSE(ini.empty());
        ExpectSkinText(module.get(), ini);
    }
}

// The reader drops a section whose header does not end in ']', reads 064 as octal and, without IMAGELAYOUT,
// takes the cells as side by side.
TEST(SkinFiles, IniTextsKeepTheReadersRules) {
    for (const ModuleCase& test : kSkinModules) {
        SCOPED_TRACE(test.path);
        ModulePtr module = LoadModule(test.path);
        ASSERT_TRUE(module);
        const std::vector<IniSection> sections = ReadSkinIni(module.get());
        EXPECT_GT(sections.size(), 1u);
        for (const IniSection& section : sections) {
            SCOPED_TRACE(section.header);
            EXPECT_EQ(section.header.back(), L']');
            bool image = false;
            for (const auto& [key, value] : section.values) {
                image = image || key.find(L"IMAGEFILE") != std::wstring::npos;
                for (size_t i = 0; i + 1 < value.size(); ++i) {
                    const bool startsNumber = i == 0 || !iswalnum(value[i - 1]);
                    EXPECT_FALSE(startsNumber && value[i] == L'0' && iswdigit(value[i + 1])) << key << " = " << value;
                }
            }
            if (image) {
                const auto layout = section.values.find(L"IMAGELAYOUT");
                EXPECT_TRUE(layout != section.values.end() && layout->second == L"VERTICAL");
            }
        }
    }
}

TEST(SkinFiles, NamedImagesDecodeAndSplitIntoTheirCells) {
    for (const ModuleCase& test : kSkinModules) {
        if (!test.images)
            continue;
        SCOPED_TRACE(test.path);
        ModulePtr module = LoadModule(test.path);
        ASSERT_TRUE(module);
        for (const IniSection& section : ReadSkinIni(module.get())) {
            const auto count = section.values.find(L"IMAGECOUNT");
            const int cells = count == section.values.end() ? 1 : _wtoi(count->second.c_str());
            for (const ImageProperty& property : kImageProperties) {
                const auto image = section.values.find(property.name);
                if (image == section.values.end())
                    continue;
                SCOPED_TRACE(section.header + L" " + image->second);
                Png png;
                ASSERT_TRUE(DecodePng(module.get(), ImageResource(image->second), png));
                ASSERT_GT(cells, 0);
                EXPECT_EQ(png.cy % cells, 0) << png.cy << " rows in " << cells << " cells";
                const auto keyed =
                    property.transparency ? section.values.find(property.transparency) : section.values.end();
                if (keyed == section.values.end() || keyed->second != L"TRUE") {
                    const auto magenta = [](DWORD pixel) { return (pixel & 0xFFFFFF) == 0xFF00FF; };
                    EXPECT_EQ(std::count_if(png.pixels.begin(), png.pixels.end(), magenta), 0) << "magenta shows";
                }
            }
        }
    }
}

// Every cell of the state-coded skin decodes into its class, part and state; the caption's corners, the gradient
// and the straight-alpha image are as the header describes them.
TEST(SkinFiles, StateCodedCellsEncodeWhatTheyStandFor) {
    ModulePtr module = LoadModule(kStateCodedModule);
    ASSERT_TRUE(module);
    const std::vector<IniSection> sections = ReadSkinIni(module.get());
    auto valueOf = [&](const std::wstring& header, const wchar_t* key) {
        for (const IniSection& section : sections)
            if (section.header == L"[" + header + L"]")
                return section.values.at(key);
        return std::wstring();
    };
    for (const TestSkinPart& part : kTestSkinParts) {
        SCOPED_TRACE(std::wstring(part.className) + L" part " + std::to_wstring(part.part));
        if (part.image == nullptr) {
            EXPECT_EQ(valueOf(part.className, L"BORDERCOLOR"), ColorText(TestSkinCellColor(part.classId, 0, 0)));
            EXPECT_EQ(valueOf(part.className, L"FILLCOLOR"), ColorText(TestSkinCellColor(part.classId, 0, 1)));
            continue;
        }
        Png png;
        ASSERT_TRUE(DecodePng(module.get(), part.image, png));
        const bool caption = std::wstring(part.image) == L"WINDOW_CAPTION_PNG";
        const int cells = part.stateCount;
        ASSERT_EQ(png.cy % cells, 0);
        const int cellHeight = png.cy / cells;
        for (int cell = 0; cell < cells; ++cell)
            for (int y = 0; y < cellHeight; ++y)
                for (int x = 0; x < png.cx; ++x) {
                    const COLORREF color = png.Color(x, cell * cellHeight + y);
                    const bool corner = caption && y + std::min(x, png.cx - 1 - x) < 3;
                    if (corner) {
                        ASSERT_EQ(color, RGB(255, 0, 255)) << x << "," << y;
                        continue;
                    }
                    TestSkinCell decoded = {};
                    ASSERT_TRUE(DecodeTestSkinColor(color, decoded)) << x << "," << y;
                    ASSERT_EQ(decoded.cls, part.classId);
                    ASSERT_EQ(decoded.part, part.part);
                    ASSERT_EQ(decoded.state, part.firstState + cell);
                }
    }
    Png gradient;
    ASSERT_TRUE(DecodePng(module.get(), L"GRADIENT_PNG", gradient));
    ASSERT_EQ(gradient.cx, kGradientSize);
    for (int y = 0; y < kGradientSize; ++y)
        for (int x = 0; x < kGradientSize; ++x)
            ASSERT_EQ(gradient.Color(x, y), RGB(8 * x, 8 * y, 128));
    Png alpha;
    ASSERT_TRUE(DecodePng(module.get(), L"ALPHA_PNG", alpha));
    ASSERT_TRUE(alpha.alpha);
    EXPECT_EQ(alpha.cx, kAlphaSize);
    EXPECT_EQ(alpha.Color(3, 5), kAlphaColor);
    EXPECT_EQ(alpha.Alpha(3, 5), kAlphaValue);
}

TEST(SkinFiles, FolderTwinHoldsTheModulesSkin) {
    ModulePtr module = LoadModule(kStateCodedModule);
    ASSERT_TRUE(module);
    const std::wstring folder = BesideProgram(kStateCodedFolder) + L"\\";
    FILE* pFile = _wfopen((folder + kStateCodedIni).c_str(), L"rb");
    ASSERT_NE(pFile, nullptr);
    std::string bytes;
    for (int c; (c = fgetc(pFile)) != EOF;)
        bytes += static_cast<char>(c);
    fclose(pFile);
    // The folder's INI is ASCII, read byte for byte: the same lines as the module's UTF-16 text.
    EXPECT_EQ(L"\xFEFF" + std::wstring(bytes.begin(), bytes.end()), ResourceText(module.get(), L"STATECODED_INI"));
    for (const IniSection& section : ReadSkinIni(module.get()))
        for (const ImageProperty& property : kImageProperties) {
            const auto image = section.values.find(property.name);
            if (image == section.values.end())
                continue;
            SCOPED_TRACE(image->second);
            FILE* pImage = _wfopen((folder + image->second).c_str(), L"rb");
            ASSERT_NE(pImage, nullptr);
            std::vector<BYTE> file;
            for (int c; (c = fgetc(pImage)) != EOF;)
                file.push_back(static_cast<BYTE>(c));
            fclose(pImage);
            EXPECT_EQ(file, ResourceBytes(module.get(), ImageResource(image->second), L"PNG"));
        }
}

TEST(SkinFiles, CraftedModulesAreWhatTheyClaim) {
    ModulePtr noIni = LoadModule(kNoIniModule);
    ASSERT_TRUE(noIni);
    EXPECT_EQ(::FindResourceW(noIni.get(), L"THEMES_INI", L"TEXTFILE"), nullptr);
    EXPECT_FALSE(ResourceBytes(noIni.get(), L"GRADIENT_PNG", L"PNG").empty());

    ModulePtr noBracket = LoadModule(kNoBracketModule);
    ASSERT_TRUE(noBracket);
    const std::wstring themes = ResourceText(noBracket.get(), L"THEMES_INI");
    EXPECT_NE(themes.find(L"[File.NoBracket"), std::wstring::npos);
    EXPECT_EQ(themes.find(L']'), std::wstring::npos);
    ExpectSkinText(noBracket.get(), L"NOBRACKET_INI");

    ModulePtr badBitmaps = LoadModule(kBadBitmapModule);
    ASSERT_TRUE(badBitmaps);
    const std::vector<IniSection> sections = ReadSkinIni(badBitmaps.get());
    for (const TestSkinBitmap& bitmap : kTestBitmaps) {
        SCOPED_TRACE(bitmap.resource);
        EXPECT_FALSE(ResourceBytes(badBitmaps.get(), bitmap.resource, RT_BITMAP).empty());
        bool named = false;
        for (const IniSection& section : sections)
            named = named || (section.header == L"[" + std::wstring(bitmap.section) + L"]" &&
                              ImageResource(section.values.at(L"IMAGEFILE")) == bitmap.resource);
        EXPECT_TRUE(named);
    }
}

TEST(SkinFiles, ProbeDllAnswersTheSystemColours) {
    ModulePtr probe = LoadModule(kProbeDll, 0);
    ASSERT_TRUE(probe);
    auto call = reinterpret_cast<DWORD (*)(int)>(::GetProcAddress(probe.get(), "CallGetSysColor"));
    ASSERT_NE(call, nullptr);
    for (int index : {COLOR_WINDOW, COLOR_BTNFACE, COLOR_HIGHLIGHT})
        EXPECT_EQ(call(index), ::GetSysColor(index)) << index;
}

// Only unresolved can the corrupt DLL be mapped at all; its descriptors then point outside the image.
TEST(SkinFiles, CorruptImportsPointOutsideTheImage) {
    ModulePtr dll = LoadModule(kCorruptImportsDll, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(dll);
    const BYTE* pBase = reinterpret_cast<const BYTE*>(dll.get());
    const auto* pNt =
        reinterpret_cast<const IMAGE_NT_HEADERS64*>(pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    const DWORD imageSize = pNt->OptionalHeader.SizeOfImage;
    const DWORD importRva = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    bool badThunk = false, badName = false;
    for (auto* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + importRva); pImport->FirstThunk;
         ++pImport) {
        badThunk = badThunk || pImport->FirstThunk >= imageSize;
        badName = badName || pImport->Name >= imageSize;
    }
    EXPECT_TRUE(badThunk);
    EXPECT_TRUE(badName);
}

TEST(SkinFiles, DllMainRunsOnlyWhenTheSkinIsLoadedAsCode) {
    auto variableSet = [] { return ::GetEnvironmentVariableW(kDllMainVariable, nullptr, 0) != 0; };
    ::SetEnvironmentVariableW(kDllMainVariable, nullptr);
    EXPECT_TRUE(LoadModule(kDllMainModule));
    EXPECT_FALSE(variableSet());
    EXPECT_TRUE(LoadModule(kDllMainModule, 0));
    EXPECT_TRUE(variableSet());
    ::SetEnvironmentVariableW(kDllMainVariable, nullptr);
}

}  // namespace
