#include "TkMarkupSystemColors.h"

#include <cwchar>

namespace {

struct SystemColorName {
    LPCWSTR lpszName;
    int nIndex;
};

// In alphabetical order: a prefix selects the first name it begins.
const SystemColorName kSystemColorNames[] = {
    {L"ActiveBorder", COLOR_ACTIVEBORDER},
    {L"ActiveCaption", COLOR_ACTIVECAPTION},
    {L"ActiveCaptionText", COLOR_CAPTIONTEXT},
    {L"AppWorkspace", COLOR_APPWORKSPACE},
    {L"Control", COLOR_BTNFACE},
    {L"ControlDark", COLOR_BTNSHADOW},
    {L"ControlDarkDark", COLOR_3DDKSHADOW},
    {L"ControlLight", COLOR_3DLIGHT},
    {L"ControlLightLight", COLOR_BTNHIGHLIGHT},
    {L"ControlText", COLOR_BTNTEXT},
    {L"Desktop", COLOR_DESKTOP},
    {L"GradientActiveCaption", COLOR_GRADIENTACTIVECAPTION},
    {L"GradientInactiveCaption", COLOR_GRADIENTINACTIVECAPTION},
    {L"GrayText", COLOR_GRAYTEXT},
    {L"Highlight", COLOR_HIGHLIGHT},
    {L"HighlightText", COLOR_HIGHLIGHTTEXT},
    {L"HotTrack", COLOR_HOTLIGHT},
    {L"InactiveBorder", COLOR_INACTIVEBORDER},
    {L"InactiveCaption", COLOR_INACTIVECAPTION},
    {L"InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT},
    {L"Info", COLOR_INFOBK},
    {L"InfoText", COLOR_INFOTEXT},
    {L"Menu", COLOR_MENU},
    {L"MenuBar", COLOR_MENUBAR},
    {L"MenuHighlight", COLOR_MENUHILIGHT},
    {L"MenuText", COLOR_MENUTEXT},
    {L"ScrollBar", COLOR_SCROLLBAR},
    {L"Window", COLOR_WINDOW},
    {L"WindowFrame", COLOR_WINDOWFRAME},
    {L"WindowText", COLOR_WINDOWTEXT},
};

const WCHAR kMemberPrefix[] = L"SystemColors.";
constexpr int kMemberPrefixLength = 13;
constexpr int kMinMemberLength = 20;

// Tried in this order: the last characters name the kind.
const struct {
    LPCWSTR lpszSuffix;
    MarkupSystemColorsMember member;
} kMemberSuffixes[] = {
    {L"Color", MarkupSystemColorsMember::color},
    {L"Brush", MarkupSystemColorsMember::brush},
    {L"ColorKey", MarkupSystemColorsMember::colorKey},
    {L"BrushKey", MarkupSystemColorsMember::brushKey},
};

}  // namespace

BOOL LookupSystemColorIndex(LPCWSTR lpszName, int nLength, int& nIndex) {
    // An empty name would be the beginning of every name.
    if (lpszName == nullptr || nLength <= 0)
        return FALSE;
    for (const SystemColorName& name : kSystemColorNames) {
        if (wcsncmp(name.lpszName, lpszName, nLength) == 0) {
            nIndex = name.nIndex;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ParseSystemColorsMember(LPCWSTR lpszText, MarkupSystemColorsMember& member, int& nIndex) {
    if (lpszText == nullptr)
        return FALSE;
    const int nLength = static_cast<int>(wcslen(lpszText));
    if (nLength < kMinMemberLength || wcsncmp(lpszText, kMemberPrefix, kMemberPrefixLength) != 0)
        return FALSE;
    for (const auto& suffix : kMemberSuffixes) {
        const int nSuffixLength = static_cast<int>(wcslen(suffix.lpszSuffix));
        const int nNameLength = nLength - kMemberPrefixLength - nSuffixLength;
        if (nNameLength < 0 || wcscmp(lpszText + nLength - nSuffixLength, suffix.lpszSuffix) != 0)
            continue;
        if (LookupSystemColorIndex(lpszText + kMemberPrefixLength, nNameLength, nIndex)) {
            member = suffix.member;
            return TRUE;
        }
    }
    return FALSE;
}
