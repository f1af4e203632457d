#include "ChannelDialogsTestSupport.h"

#include "settings/LangText.h"

#include "mfc.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <filesystem>

namespace {

// A Linux folder as the Windows program sees it.
std::filesystem::path WindowsFolder(const char* linuxFolder) {
    std::wstring path = L"Z:" + std::filesystem::path(linuxFolder).wstring();
    for (wchar_t& c : path)
        c = c == L'/' ? L'\\' : c;
    return path;
}

}  // namespace

void UseEnglishTexts(const TestFolder& folder) {
    const std::filesystem::path lang = std::filesystem::path(folder.ProgramFolder()) / L"Lang";
    std::filesystem::create_directories(lang);
    std::filesystem::copy_file(WindowsFolder(TESS_LANG_DIR) / L"EN.ini", lang / L"EN.ini",
                               std::filesystem::copy_options::overwrite_existing);
    LanguageNumber = kLanguageEnglish;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
}

std::wstring English(const wchar_t* key) {
    return LangText(key);
}

bool SaveScreenshot(HWND window, const wchar_t* name, bool repaint) {
    if (repaint)
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CRect rect;
    ::GetWindowRect(window, &rect);
    CScopedMemDC picture(rect.Width(), rect.Height());
    if (!picture.IsValid())
        return false;
    // The window's own surface, which holds what was drawn on it even before the display shows it.
    HDC windowDC = ::GetWindowDC(window);
    ::BitBlt(picture.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), windowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(window, windowDC);
    ::GdiFlush();

    CScopedGdiPlus gdiPlus;
    if (!gdiPlus.IsStarted())
        return false;
    Gdiplus::Bitmap bitmap(picture.GetWidth(), picture.GetHeight(), picture.GetWidth() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(picture.GetBits()));
    const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const std::wstring path = std::wstring(L"Z:\\tmp\\") + name;
    return bitmap.Save(path.c_str(), &pngEncoder, nullptr) == Gdiplus::Ok;
}
