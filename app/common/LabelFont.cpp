#include "common/LabelFont.h"

namespace {

LOGFONTW MakeLabelFont() {
    LOGFONTW font{};
    font.lfHeight = 20;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);  // a request: GDI substitutes where Arial is missing
    return font;
}

}  // namespace

const LOGFONTW& SharedLabelFont() {
    static const LOGFONTW font = MakeLabelFont();
    return font;
}
