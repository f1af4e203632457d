// A window's client area as it is on the screen, kept as 32-bit pixels and written as a BMP file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CClientCapture {
public:
    // Copies the client area from the screen; false when the window has none or the copy failed.
    bool Take(HWND window);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at client coordinates (x, y) as 0xRRGGBB; -1 outside the capture.
    int64_t Pixel(int x, int y) const;
    bool WriteBmp(const std::wstring& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;  // top-down rows, 0x00RRGGBB
};
