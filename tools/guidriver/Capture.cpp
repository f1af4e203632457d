#include "Capture.h"

#include <cstdio>

bool CClientCapture::Take(HWND window) {
    RECT client{};
    if (!::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return false;
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    m_width = client.right;
    m_height = client.bottom;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (memory && dib) {
        HGDIOBJ old = ::SelectObject(memory, dib);
        copied = ::BitBlt(memory, 0, 0, m_width, m_height, screen, origin.x, origin.y, SRCCOPY) != FALSE;
        ::GdiFlush();
        ::SelectObject(memory, old);
        if (copied) {
            const auto* source = static_cast<const uint32_t*>(bits);
            m_pixels.assign(source, source + static_cast<size_t>(m_width) * m_height);
            for (uint32_t& pixel : m_pixels)
                pixel &= 0x00FFFFFF;
        }
    }
    if (dib)
        ::DeleteObject(dib);
    if (memory)
        ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return copied;
}

int64_t CClientCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

bool CClientCapture::WriteBmp(const std::wstring& path) const {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = -m_height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD pixelBytes = static_cast<DWORD>(m_pixels.size() * sizeof(uint32_t));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + pixelBytes;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                         std::fwrite(m_pixels.data(), 1, pixelBytes, out) == pixelBytes;
    return std::fclose(out) == 0 && written;
}
