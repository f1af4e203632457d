#pragma once
// The toolbars of the main view and of the list panes: flat buttons with their text beside an image, the images
// loaded from bitmap files of the program's Image folder with white as the mask colour, the texts from the
// language file. UI thread.

#include "mfc.h"

#include <span>

// A toolbar control bar inside a pane or view, placed by its parent: top aligned with a bottom border, tooltips,
// fly-by and dynamic size.
constexpr DWORD kPaneToolBarStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_THICKFRAME | CBRS_ALIGN_TOP |
                                    CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

// A button; command 0 (image and text unused) is a separator.
struct ToolBarButton {
    int Image;  // in the bitmap list
    UINT Command;
    const wchar_t* TextKey;
};

// Which state the image list serves besides the normal one.
enum class ToolBarSecondImages { Hot, Disabled };

// Creates the toolbar (id AFX_IDW_TOOLBAR) in parent, fills images with "<program folder>\Image\<file>" for each
// bitmap (a missing file leaves its image empty), gives it to the toolbar and adds the buttons, all enabled and
// sized to their text. FALSE, with nothing added, when the toolbar cannot be created.
BOOL CreateImageToolBar(CWnd* parent, CToolBar& toolBar, CImageList& images, int imageSize,
                        std::span<const wchar_t* const> bitmaps, std::span<const ToolBarButton> buttons,
                        ToolBarSecondImages second);
