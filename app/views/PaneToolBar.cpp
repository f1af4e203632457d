#include "views/PaneToolBar.h"

#include "settings/Folders.h"
#include "settings/LangText.h"

#include <vector>

namespace {

constexpr COLORREF kMaskColor = RGB(255, 255, 255);

}  // namespace

BOOL CreateImageToolBar(CWnd* parent, CToolBar& toolBar, CImageList& images, int imageSize,
                        std::span<const wchar_t* const> bitmaps, std::span<const ToolBarButton> buttons,
                        ToolBarSecondImages second) {
    if (!toolBar.CreateEx(parent, TBSTYLE_FLAT | TBSTYLE_LIST, kPaneToolBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR))
        return FALSE;

    images.Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, 0, static_cast<int>(bitmaps.size()));
    for (const wchar_t* file : bitmaps) {
        const std::wstring path = GetExeFolder() + L"\\Image\\" + file;
        CBitmap bitmap;
        bitmap.Attach(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (bitmap.GetSafeHandle())
            images.Add(&bitmap, kMaskColor);
        else
            ::ImageList_SetImageCount(images.GetSafeHandle(), images.GetImageCount() + 1);
    }
    CToolBarCtrl& control = toolBar.GetToolBarCtrl();
    control.SetImageList(&images);
    if (second == ToolBarSecondImages::Hot)
        control.SetHotImageList(&images);
    else
        control.SetDisabledImageList(&images);

    std::vector<TBBUTTON> added(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        const bool separator = buttons[i].Command == 0;
        added[i].iBitmap = separator ? 0 : buttons[i].Image;
        added[i].idCommand = static_cast<int>(buttons[i].Command);
        added[i].fsState = TBSTATE_ENABLED;
        added[i].fsStyle = separator ? BTNS_SEP : BTNS_AUTOSIZE;
    }
    control.AddButtons(static_cast<int>(added.size()), added.data());
    control.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].TextKey)
            toolBar.SetButtonText(static_cast<int>(i), LangText(buttons[i].TextKey).c_str());
    }
    return TRUE;
}
