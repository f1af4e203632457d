#include "MainFrameResource.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

struct MenuItem {
    UINT Id;  // 0: a separator
    const wchar_t* Text;
};

constexpr UINT kPopup = 0xFFFFFFFF;

// Each menu in order: a popup, its items, the next popup, its items.
const std::vector<MenuItem> kEnglishMenu = {
    {kPopup, L"&File"},
    {ID_SETTINGS, L"Setings"},
    {ID_DATABASE_PATH, L"Database file path"},
    {0, L""},
    {ID_SERVER_ACCOUNTS, L"Login user(Server)"},
    {ID_CLIENT_ACCOUNTS, L"Login user(Client)"},
    {0, L""},
    {ID_LOGOUT, L"Logout server(lock)"},
    {ID_LOGIN, L"Login server(unlock)"},
    {0, L""},
    {ID_BLACKLIST, L"blacklist"},
    {0, L""},
    {ID_APP_EXIT, L"&Exit"},
    {kPopup, L"&Help"},
    {ID_APP_ABOUT, L"&About tesselon"},
};
const std::vector<MenuItem> kSimplifiedMenu = {
    {kPopup, L"&文件"},
    {ID_SETTINGS, L"系统设定"},
    {ID_DATABASE_PATH, L"数据库路径"},
    {0, L""},
    {ID_SERVER_ACCOUNTS, L"登入账号(服务器)"},
    {ID_CLIENT_ACCOUNTS, L"登入账号(客户端)"},
    {0, L""},
    {ID_LOGOUT, L"登出服务器(锁定)"},
    {ID_LOGIN, L"登入服务器(解锁)"},
    {0, L""},
    {ID_BLACKLIST, L"黑名单"},
    {0, L""},
    {ID_APP_EXIT, L"&退出系统"},
    {kPopup, L"&帮助"},
    {ID_APP_ABOUT, L"&关于Quennet"},
};
const std::vector<MenuItem> kTraditionalMenu = {
    {kPopup, L"&文件"},
    {ID_SETTINGS, L"系統設定"},
    {ID_DATABASE_PATH, L"?据?路?"},
    {0, L""},
    {ID_SERVER_ACCOUNTS, L"登入帳號伺服器"},
    {ID_CLIENT_ACCOUNTS, L"登入帳號用戶端"},
    {0, L""},
    {ID_LOGOUT, L"登出伺服器(鎖定)"},
    {ID_LOGIN, L"登入伺服器(解鎖)"},
    {0, L""},
    {ID_BLACKLIST, L"黑名?"},
    {0, L""},
    {ID_APP_EXIT, L"退出系統"},
    {kPopup, L"&幫助"},
    {ID_APP_ABOUT, L"關於Quennet"},
};

std::vector<MenuItem> ReadMenu(HMENU menu, std::vector<std::wstring>& texts) {
    std::vector<MenuItem> items;
    for (int top = 0; top < GetMenuItemCount(menu); ++top) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, top, text, 128, MF_BYPOSITION);
        texts.push_back(text);
        items.push_back({kPopup, nullptr});
        HMENU popup = GetSubMenu(menu, top);
        for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
            MENUITEMINFOW info{sizeof(info)};
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 128;
            text[0] = 0;
            GetMenuItemInfoW(popup, i, TRUE, &info);
            const bool separator = (info.fType & MFT_SEPARATOR) != 0;
            texts.push_back(separator ? L"" : text);
            items.push_back({separator ? 0 : info.wID, nullptr});
        }
    }
    return items;
}

TEST(FrameResources, MenusHoldTheirItemsInOrderWithTheirTexts) {
    const std::pair<UINT, const std::vector<MenuItem>*> menus[] = {{IDR_MENU_ENGLISH, &kEnglishMenu},
                                                                   {IDR_MENU_SIMPLIFIED, &kSimplifiedMenu},
                                                                   {IDR_MENU_TRADITIONAL, &kTraditionalMenu}};
    for (const auto& [id, expected] : menus) {
        HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_TRUE(menu) << id;
        std::vector<std::wstring> texts;
        const std::vector<MenuItem> items = ReadMenu(menu, texts);
        ASSERT_EQ(expected->size(), items.size()) << id;
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ((*expected)[i].Id, items[i].Id) << id << " item " << i;
            EXPECT_EQ(std::wstring((*expected)[i].Text), texts[i]) << id << " item " << i;
        }
        DestroyMenu(menu);
    }
}

struct TemplateControl {
    int Id;
    const wchar_t* Class;
    DWORD Style;  // bits that must be set
};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(FrameResources, TemplatesHoldTheirControlsWithClassAndStyle) {
    const struct {
        UINT Template;
        std::vector<TemplateControl> Controls;
    } templates[] = {
        {IDD_ABOUTBOX,
         {{IDC_ABOUT_PRODUCT, L"Static", 0},
          {IDC_ABOUT_COPYRIGHT, L"Static", 0},
          {IDC_ABOUT_NAME_LABEL, L"Static", 0},
          {IDC_ABOUT_ADDRESS_LABEL, L"Static", 0},
          {IDC_ABOUT_TEL_LABEL, L"Static", 0},
          {IDC_ABOUT_FAX_LABEL, L"Static", 0},
          {IDC_ABOUT_WEB_LABEL, L"Static", 0},
          {IDC_ABOUT_EMAIL_LABEL, L"Static", 0},
          {IDC_ABOUT_VERSION, L"Static", 0},
          {IDC_ABOUT_NAME, L"Edit", ES_READONLY},
          {IDC_ABOUT_ADDRESS, L"Edit", ES_READONLY},
          {IDC_ABOUT_TEL, L"Edit", ES_READONLY},
          {IDC_ABOUT_FAX, L"Edit", ES_READONLY},
          {IDC_ABOUT_EMAIL, L"Edit", ES_READONLY},
          {IDC_ABOUT_WEB, L"Edit", ES_READONLY},
          {IDOK, L"Button", BS_DEFPUSHBUTTON}}},
        {IDD_PCM_LINKER, {{IDC_PCM_LINK_LIST, WC_LISTVIEWW, LVS_REPORT}}},
        {IDD_SEARCH_DB_INFO,
         {{IDC_SEARCH_DAY_LABEL, L"Static", 0},
          {IDC_SEARCH_PROGRESS_LABEL, L"Static", 0},
          {IDC_SEARCH_DAY, L"Edit", ES_READONLY},
          {IDC_SEARCH_PROGRESS, PROGRESS_CLASSW, 0}}},
    };
    for (const auto& dialogTemplate : templates) {
        HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialogTemplate.Template), nullptr,
                                         QuietDialogProc, 0);
        ASSERT_TRUE(dialog) << dialogTemplate.Template;
        for (const TemplateControl& control : dialogTemplate.Controls) {
            HWND item = GetDlgItem(dialog, control.Id);
            ASSERT_TRUE(item) << dialogTemplate.Template << " " << control.Id;
            wchar_t className[64] = {};
            GetClassNameW(item, className, 64);
            EXPECT_EQ(0, _wcsicmp(control.Class, className)) << control.Id;
            EXPECT_EQ(control.Style, static_cast<DWORD>(GetWindowLongPtrW(item, GWL_STYLE)) & control.Style)
                << control.Id;
        }
        DestroyWindow(dialog);
    }
}

TEST(FrameResources, IconsAndTheOleTextAreThere) {
    for (UINT icon : {IDR_MAINFRAME, IDI_TREE_CAPTION, IDI_VIEW_CAPTION}) {
        for (int size : {16, 32}) {
            HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0);
            EXPECT_TRUE(image) << icon << " " << size;
            DestroyIcon(static_cast<HICON>(image));
        }
    }
    CString text;
    ASSERT_TRUE(text.LoadString(IDS_OLE_INIT_FAILED));
    EXPECT_EQ(std::wstring(L"OLE initialization failed.  Make sure that the OLE libraries are the correct version."),
              text.GetString());
}

// The language texts of one language, from all area files of the source tree.
std::map<std::string, std::string> LanguageTexts(const std::string& language) {
    std::map<std::string, std::string> texts;
    for (const auto& area :
         std::filesystem::directory_iterator(std::string(TESS_SOURCE_DIR) + "/resources/Lang/" + language)) {
        std::ifstream file(area.path());
        std::string line;
        while (std::getline(file, line)) {
            const size_t equals = line.find('=');
            if (!line.empty() && line[0] != ';' && equals != std::string::npos)
                texts[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return texts;
}

// Every text key the program's sources name (a wide literal of four or five digits), with a file naming it.
std::map<std::string, std::string> KeysNamedInTheSources() {
    const std::regex key(R"re(L"(\d{4,5})")re");
    std::map<std::string, std::string> keys;
    for (const char* folder : {"/app", "/service"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(TESS_SOURCE_DIR) + folder)) {
            if (entry.path().extension() != ".cpp")
                continue;
            std::ifstream file(entry.path());
            const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(source.begin(), source.end(), key), end; it != end; ++it)
                keys.emplace((*it)[1].str(), entry.path().filename().string());
        }
    }
    return keys;
}

TEST(FrameResources, EveryKeyTheProgramNamesHasATextInEachLanguage) {
    const std::map<std::string, std::string> keys = KeysNamedInTheSources();
    ASSERT_GT(keys.size(), 400u) << "the sources were not found";
    for (const char* language : {"EN", "CHS", "CHT"}) {
        const std::map<std::string, std::string> texts = LanguageTexts(language);
        for (const auto& [key, file] : keys) {
            const auto text = texts.find(key);
            EXPECT_TRUE(text != texts.end() && !text->second.empty()) << language << " " << key << " (" << file << ")";
        }
    }
}

}  // namespace
