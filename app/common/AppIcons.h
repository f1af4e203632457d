#pragma once
// The application's icon list: 28 small pictures from the Image folder, 16 x 16 with 32-bit colour, used as the
// small image list of every tree and list of the program. Index i always holds kAppIconFiles[i]. Built once by
// the application's start-up on the UI thread, after GDI+ has been started.

#include "mfc.h"

#include <windows.h>
#include <commctrl.h>

constexpr int kAppIconCount = 28;
constexpr int kAppIconSize = 16;

enum AppIcon {
    kIconRoot,
    kIconTel,
    kIconGroup,
    kIconAllRec,
    kIconOutbound,
    kIconInbound,
    kIconMissed,
    kIconAutoAnswer,
    kIconVoiceCalls,
    kIconChart,
    kIconSearchFile,
    kIconOk,
    kIconLockRed,
    kIconForward,
    kIconIdle,
    kIconLineError,
    kIconDial,
    kIconRing,
    kIconOutRec,
    kIconInRec,
    kIconVoice,
    kIconSilence,
    kIconMoreInfo,
    kIconSearchFiles,
    kIconMonitorTalk,
    kIconWillSave,
    kIconWillDelete,
    kIconSupport,
};

inline constexpr const wchar_t* kAppIconFiles[kAppIconCount] = {
    L"Root.png",          L"Tel.png",          L"group.png",       L"AllRec.png",      L"outbound_b.png",
    L"inbound_b.png",     L"missed.png",       L"autoanswer.png",  L"voice_b.png",     L"chart.png",
    L"searchfile.png",    L"okicon.png",       L"Lock_red.png",    L"f-right.png",     L"idle.png",
    L"lineerror.png",     L"dial.png",         L"ring.png",        L"outrec.png",      L"inrec.png",
    L"voice.png",         L"silence_b.png",    L"Moreinfor.png",   L"SearchFiles.png", L"monitortalk.png",
    L"willsavefiles.png", L"willdelfiles.png", L"support-128.png",
};

// Where a picture of width x height pixels is drawn in a 16 x 16 icon: scaled by the smaller of 16/width and
// 16/height (single precision), centred along the other axis; all four values truncated to whole pixels.
struct IconPlacement {
    int X;
    int Y;
    int Width;
    int Height;
};
IconPlacement ComputeIconPlacement(int width, int height);

// Builds the icon list from "<program folder>\Image\<file>". Each picture is drawn on opaque white with bicubic
// scaling; a file that cannot be loaded leaves its slot plain white. The caller owns the list (null when it
// cannot be created).
HIMAGELIST LoadAppIcons();

// AppIconList: the application's icon list, empty until the application's start-up attaches the list of
// LoadAppIcons; it lives until the process ends. Every tree and list control of the program takes its handle as
// its small image list, and every icon number of the window side is a position in it (AppIcon). UI thread.
CImageList& AppIconList();
