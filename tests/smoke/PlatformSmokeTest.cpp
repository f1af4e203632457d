// One real check per platform piece the product stands on: SQLite's UTF-16 interface,
// the MP3 encoder DLL, libpng, windows under the X display, and loopback sockets.
#include <gtest/gtest.h>

#include <windows.h>
#include <png.h>
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"tesselon-smoke-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
    DeleteFileW(path.c_str());
    return path;
}

TEST(PlatformSmoke, SqliteStoresAndReadsBackUtf16Text) {
    const std::wstring path = TempPath(L"smoke.db");
    const std::wstring name = L"\u5f20\u4e09 O'Neil";  // non-ASCII survives the round trip
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE t(name TEXT)", nullptr, nullptr, nullptr));
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare16_v2(db, L"INSERT INTO t VALUES(?)", -1, &st, nullptr));
    sqlite3_bind_text16(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    ASSERT_EQ(SQLITE_DONE, sqlite3_step(st));
    sqlite3_finalize(st);
    sqlite3_close(db);

    ASSERT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare16_v2(db, L"SELECT name FROM t", -1, &st, nullptr));
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(st));
    EXPECT_EQ(name, reinterpret_cast<const wchar_t*>(sqlite3_column_text16(st, 0)));
    sqlite3_finalize(st);
    EXPECT_EQ(1, sqlite3_threadsafe());
    sqlite3_close(db);
    DeleteFileW(path.c_str());
}

TEST(PlatformSmoke, LameEncoderLoadsAndReportsItsVersion) {
    HMODULE lib = LoadLibraryW(L"lame_enc.dll");
    ASSERT_NE(nullptr, lib);
    // beVersion fills a byte-packed record whose first bytes are DLL major/minor and
    // engine major/minor.
    using BeVersionFn = void (*)(uint8_t*);
    auto beVersion = reinterpret_cast<BeVersionFn>(GetProcAddress(lib, "beVersion"));
    ASSERT_NE(nullptr, beVersion);
    std::vector<uint8_t> info(512, 0);
    beVersion(info.data());
    EXPECT_EQ(3, info[2]);    // engine major version
    EXPECT_EQ(100, info[3]);  // engine minor version
    FreeLibrary(lib);
}

// Writes an RGBA PNG with libpng's write side, then reads it back as the image loader does.
TEST(PlatformSmoke, LibpngDecodesAGeneratedImageToItsPixels) {
    const int w = 3, h = 2;
    const uint8_t pixels[h][w * 4] = {{255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0},
                                      {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}};
    const std::wstring path = TempPath(L"smoke.png");
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(nullptr, f);
    png_structp wp = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop wi = png_create_info_struct(wp);
    png_init_io(wp, f);
    png_set_IHDR(wp, wi, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(wp, wi);
    for (const auto& row : pixels)
        png_write_row(wp, row);
    png_write_end(wp, nullptr);
    png_destroy_write_struct(&wp, &wi);
    fclose(f);

    f = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(nullptr, f);
    uint8_t sig[8];
    ASSERT_EQ(8u, fread(sig, 1, 8, f));
    ASSERT_EQ(0, png_sig_cmp(sig, 0, 8));
    png_structp rp = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop ri = png_create_info_struct(rp);
    png_init_io(rp, f);
    png_set_sig_bytes(rp, 8);
    png_read_info(rp, ri);
    ASSERT_EQ(png_uint_32(w), png_get_image_width(rp, ri));
    ASSERT_EQ(png_uint_32(h), png_get_image_height(rp, ri));
    for (const auto& row : pixels) {
        uint8_t got[w * 4];
        png_read_row(rp, got, nullptr);
        EXPECT_EQ(0, memcmp(got, row, sizeof got));
    }
    png_destroy_read_struct(&rp, &ri, nullptr);
    fclose(f);
    DeleteFileW(path.c_str());
}

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1)
        return static_cast<LRESULT>(wp * 2 + lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(PlatformSmoke, WindowAnswersASentMessage) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = AnswerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TesselonSmokeWindow";
    ASSERT_NE(0, RegisterClassW(&wc));
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(43, SendMessageW(hwnd, WM_APP + 1, 21, 1));
    RECT rc{};
    EXPECT_TRUE(GetClientRect(hwnd, &rc));
    EXPECT_GT(rc.right, 0);
    DestroyWindow(hwnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
