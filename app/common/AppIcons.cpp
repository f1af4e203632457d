#include "common/AppIcons.h"

#include "settings/Folders.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>

namespace {

// Renders one file into a new 16 x 16 bitmap; null only when GDI+ cannot make the bitmap.
HBITMAP RenderAppIcon(const std::wstring& path) {
    const Gdiplus::Color white(255, 255, 255, 255);
    Gdiplus::Bitmap source(path.c_str());
    bool loaded = source.GetLastStatus() == Gdiplus::Ok && source.GetWidth() > 0 && source.GetHeight() > 0;

    Gdiplus::Bitmap icon(kAppIconSize, kAppIconSize, PixelFormat32bppARGB);
    if (icon.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    if (loaded)
        icon.SetResolution(source.GetHorizontalResolution(), source.GetVerticalResolution());
    {
        Gdiplus::Graphics graphics(&icon);
        graphics.Clear(white);
        if (loaded) {
            IconPlacement place = ComputeIconPlacement(source.GetWidth(), source.GetHeight());
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            graphics.DrawImage(&source, place.X, place.Y, place.Width, place.Height);
        }
    }
    HBITMAP bitmap = nullptr;
    if (icon.GetHBITMAP(white, &bitmap) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

}  // namespace

IconPlacement ComputeIconPlacement(int width, int height) {
    float sx = static_cast<float>(kAppIconSize) / static_cast<float>(width);
    float sy = static_cast<float>(kAppIconSize) / static_cast<float>(height);
    float scale = sx > sy ? sy : sx;
    float x = sx > sy ? (kAppIconSize - width * scale) * 0.5f : 0.0f;
    float y = sx > sy ? 0.0f : (kAppIconSize - height * scale) * 0.5f;
    return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width * scale),
            static_cast<int>(height * scale)};
}

HIMAGELIST LoadAppIcons() {
    HIMAGELIST list = ImageList_Create(kAppIconSize, kAppIconSize, ILC_COLOR32 | ILC_MASK, 0, 0);
    if (!list)
        return nullptr;
    ImageList_SetImageCount(list, kAppIconCount);
    std::wstring folder = GetExeFolder() + L"\\Image\\";
    for (int i = 0; i < kAppIconCount; ++i) {
        if (HBITMAP picture = RenderAppIcon(folder + kAppIconFiles[i])) {
            ImageList_Replace(list, i, picture, nullptr);
            DeleteObject(picture);
        }
    }
    return list;
}

CImageList& AppIconList() {
    static CImageList list;
    return list;
}
