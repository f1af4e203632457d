// The texts of the shortcut manager: key names, formatting an accelerator, parsing one back, and the
// comparison of keys with characters on every keyboard layout.

#include "TkShortcutManager.h"

#include <cstring>
#include <cwchar>

namespace {

// The English key names other than digits and letters, in the table's order. Saved shortcut texts use
// them, so they do not depend on the user's language.
struct KeyName {
    WORD key;
    LPCWSTR pszName;
};
constexpr KeyName kNamedKeys[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"}, {0x04, L"Middle Button"},
    {0x08, L"Backspace"},   {0x09, L"Tab"},          {0x0C, L"Clear"},      {0x0D, L"Enter"},
    {0x10, L"Shift"},       {0x11, L"Ctrl"},         {0x12, L"Alt"},        {0x13, L"Pause"},
    {0x14, L"Caps Lock"},   {0x1B, L"Esc"},          {0x20, L"Space"},      {0x21, L"Page Up"},
    {0x22, L"Page Down"},   {0x23, L"End"},          {0x24, L"Home"},       {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"},    {0x27, L"Right Arrow"},  {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"},       {0x2B, L"Execute"},      {0x2C, L"Snapshot"},   {0x2D, L"Ins"},
    {0x2E, L"Del"},         {0x2F, L"Help"},         {0x5B, L"Win"},        {0x5C, L"Win"},
    {0x5D, L"Application"}, {0x6A, L"Num *"},        {0x6B, L"Num +"},      {0x6C, L"Separator"},
    {0x6D, L"Num -"},       {0x6E, L"Num ."},        {0x6F, L"Num /"},
};
constexpr KeyName kLateNamedKeys[] = {
    {0x90, L"Num Lock"}, {0x91, L"Scrl Lock"}, {0xF6, L"Attn"},      {0xF7, L"Crsel"},
    {0xF8, L"Exsel"},    {0xF9, L"Ereof"},     {0xFA, L"Play"},      {0xFB, L"Zoom"},
    {0xFC, L"No Name"},  {0xFD, L"Pa1"},       {0xFE, L"Oem Clear"},
};

constexpr UINT kKeyNameLength = 50;
constexpr UINT kKeyBreak = 3;  // Ctrl+Break: named by itself, without modifiers
constexpr WCHAR kEscapeChar = 27;
constexpr WCHAR kTabChar = 9;
constexpr BYTE kFlagsControlCharacter = 0x02;  // a character key given as a control character

WCHAR UpperOf(WCHAR ch) {
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(ch))));
}

// What the key types on the layout with the key state; 0 unless exactly one character.
WCHAR CharOfKey(UINT nVirtualKey, const BYTE* pKeyState, HKL hLayout) {
    WCHAR buffer[4] = {};
    const UINT nScanCode = ::MapVirtualKeyExW(nVirtualKey, MAPVK_VK_TO_VSC, hLayout);
    return ::ToUnicodeEx(nVirtualKey, nScanCode, pKeyState, buffer, 4, 0, hLayout) == 1 ? buffer[0] : 0;
}

}  // namespace

CTkShortcutManagerAccel::CTkShortcutManagerAccel(const ACCEL& accel) : cmd(accel.cmd) {
    key[0].fVirt = accel.fVirt;
    key[0].key = accel.key;
}

CTkShortcutManager::CTkShortcutManager(CTkCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {
    m_keyNames.reserve(108);
    for (WCHAR ch = L'0'; ch <= L'9'; ++ch)
        m_keyNames.emplace_back(ch, CString(ch));
    for (WCHAR ch = L'A'; ch <= L'Z'; ++ch)
        m_keyNames.emplace_back(ch, CString(ch));
    for (const KeyName& name : kNamedKeys)
        m_keyNames.emplace_back(name.key, name.pszName);
    for (WORD nKey = VK_F1; nKey <= VK_F12; ++nKey) {
        CString strName;
        strName.Format(L"F%d", nKey - VK_F1 + 1);
        m_keyNames.emplace_back(nKey, strName);
    }
    for (WORD nKey = VK_NUMPAD0; nKey <= VK_NUMPAD9; ++nKey) {
        CString strName;
        strName.Format(L"Num %d", nKey - VK_NUMPAD0);
        m_keyNames.emplace_back(nKey, strName);
    }
    for (const KeyName& name : kLateNamedKeys)
        m_keyNames.emplace_back(name.key, name.pszName);
}

// ---- Names

CString CTkShortcutManager::GetTableKeyName(UINT nKey) const {
    for (const auto& [key, strName] : m_keyNames) {
        if (key == nKey)
            return strName;
    }
    return CString();
}

WORD CTkShortcutManager::FindKeyByName(const CString& strName) const {
    for (const auto& [key, strTableName] : m_keyNames) {
        if (strTableName.CompareNoCase(strName) == 0)
            return key;
    }
    return 0;
}

CString CTkShortcutManager::GetSystemKeyName(UINT nKey) {
    if (nKey == kKeyBreak)
        return CString();
    LONG lParam = static_cast<LONG>(::MapVirtualKeyW(nKey, MAPVK_VK_TO_VSC) << 16) + 1;
    // Page keys, arrows, Insert and Delete share scan codes with the keypad: the extended bit names them.
    if (nKey >= VK_PRIOR && nKey <= VK_HELP)
        lParam |= 1 << 24;
    WCHAR buffer[kKeyNameLength] = {};
    ::GetKeyNameTextW(lParam, buffer, kKeyNameLength);
    CString strName(buffer);
    for (int i = 0; i < strName.GetLength(); ++i) {
        if (::IsCharLowerW(strName[i])) {
            strName.SetAt(i, UpperOf(strName[i]));
            break;
        }
    }
    return strName;
}

CString CTkShortcutManager::GetKeyName(UINT nKey) {
    CString strName = m_bSystemKeyNamesFirst ? GetSystemKeyName(nKey) : GetTableKeyName(nKey);
    if (strName.IsEmpty())
        strName = m_bSystemKeyNamesFirst ? GetTableKeyName(nKey) : GetSystemKeyName(nKey);
    return strName;
}

// ---- Formatting

CTkShortcutManager::CKeyHelper::CKeyHelper(const CTkShortcutManagerAccel* pAccel, CTkShortcutManager* pManager,
                                           BOOL bUseKeyNameOperation)
    : m_pAccel(pAccel), m_pManager(pManager), m_bUseKeyNameOperation(bUseKeyNameOperation) {}

CString CTkShortcutManager::CKeyHelper::NameOf(UINT nKey) const {
    if (m_bUseKeyNameOperation)
        return m_pManager->GetKeyName(nKey);
    CString strName = m_pManager->GetTableKeyName(nKey);
    if (strName.IsEmpty())
        strName.Format(L"0x%x", nKey);
    return strName;
}

CString CTkShortcutManager::CKeyHelper::FormatKeystroke(const CTkShortcutManagerAccel::Keystroke& keystroke) const {
    CString strText;
    if (keystroke.key != kKeyBreak) {
        const std::pair<BYTE, UINT> modifiers[] = {
            {kKeyCtrl, VK_CONTROL}, {kKeyShift, VK_SHIFT}, {kKeyAlt, VK_MENU}, {kKeyWin, VK_LWIN}};
        for (const auto& [flag, nKey] : modifiers) {
            if (keystroke.fVirt & flag)
                strText += NameOf(nKey) + L"+";
        }
    }
    if (keystroke.fVirt & kKeyVirtual) {
        strText += NameOf(keystroke.key);
    } else if (keystroke.key >= 1 && keystroke.key <= 26 && keystroke.fVirt == kFlagsControlCharacter) {
        strText += NameOf(VK_CONTROL) + L"+" + CString(static_cast<WCHAR>(keystroke.key + 64));
    } else if (keystroke.key != kEscapeChar && keystroke.key != kTabChar) {
        strText += CString(static_cast<WCHAR>(keystroke.key));
    }
    // A keystroke of modifiers alone ends without its "+".
    if (keystroke.key == 0 && !strText.IsEmpty())
        strText = strText.Left(strText.GetLength() - 1);
    return strText;
}

CString CTkShortcutManager::CKeyHelper::Format() const {
    CString strText = FormatKeystroke(m_pAccel->key[0]);
    if (m_pAccel->key[1].key != 0) {
        const CString strSecond = FormatKeystroke(m_pAccel->key[1]);
        if (!strSecond.IsEmpty())
            strText += L", " + strSecond;
    }
    return strText;
}

CString CTkShortcutManager::FormatAccelerator(const CTkShortcutManagerAccel* pAccel, int* pnPriority) {
    if (pnPriority != nullptr) {
        const BYTE fVirt = pAccel->key[0].fVirt;
        *pnPriority = (fVirt & kKeyCtrl) ? 3 : (fVirt & kKeyAlt) ? 2 : (fVirt & kKeyShift) ? 1 : 4;
    }
    return CKeyHelper(pAccel, this).Format();
}

BOOL CTkShortcutManager::IsAllowedShortcut(const CTkShortcutManagerAccel* pAccel) {
    const auto& first = pAccel->key[0];
    const BOOL bPlainEscape =
        (first.fVirt & kKeyVirtual) && first.key == VK_ESCAPE && (first.fVirt & (kKeyShift | kKeyCtrl | kKeyAlt)) == 0;
    return !bPlainEscape || m_bAllowEscape;
}

// ---- Parsing

BOOL CTkShortcutManager::ParseKeystroke(CString strText, BYTE& fVirt, WORD& key) const {
    fVirt = kKeyVirtual;
    const std::pair<UINT, BYTE> modifiers[] = {{VK_CONTROL, kKeyCtrl}, {VK_MENU, kKeyAlt}, {VK_SHIFT, kKeyShift}};
    for (const auto& [nKey, flag] : modifiers) {
        const CString strModifier = GetTableKeyName(nKey) + L"+";
        const int nAt = strText.Find(strModifier);
        if (nAt >= 0) {
            strText.Delete(nAt, strModifier.GetLength());
            fVirt |= flag;
        }
    }
    key = FindKeyByName(strText);
    if (key == 0 && strText.GetLength() > 3 && strText.Left(2) == L"0x")
        key = static_cast<WORD>(std::wcstoul(static_cast<LPCWSTR>(strText) + 2, nullptr, 16));
    return key != 0;
}

BOOL CTkShortcutManager::ParseShortcut(const CString& strText, CTkShortcutManagerAccel* pAccel) const {
    const int nSeparator = strText.Find(L", ");
    if (nSeparator < 0) {
        pAccel->key[1] = {};
        return ParseKeystroke(strText, pAccel->key[0].fVirt, pAccel->key[0].key);
    }
    return ParseKeystroke(strText.Left(nSeparator), pAccel->key[0].fVirt, pAccel->key[0].key) &&
           ParseKeystroke(strText.Mid(nSeparator + 2), pAccel->key[1].fVirt, pAccel->key[1].key);
}

// ---- Keys and characters

BYTE CTkShortcutManager::GetModifierState() {
    auto isDown = [](int nKey) { return (::GetKeyState(nKey) & 0x8000) != 0; };
    BOOL bCtrl = isDown(VK_CONTROL);
    BOOL bAlt = isDown(VK_MENU);
    // AltGr arrives as left Ctrl with right Alt: only the other Ctrl and Alt keys count then.
    if (isDown(VK_RMENU) && isDown(VK_LCONTROL)) {
        bCtrl = isDown(VK_RCONTROL);
        bAlt = isDown(VK_LMENU);
    }
    return static_cast<BYTE>((bCtrl ? kKeyCtrl : 0) | (isDown(VK_SHIFT) ? kKeyShift : 0) | (bAlt ? kKeyAlt : 0));
}

BOOL CTkShortcutManager::KeyMatchesChar(WCHAR ch, UINT nVirtualKey) {
    if (nVirtualKey >= VK_NUMPAD0 && nVirtualKey <= VK_NUMPAD9)
        return ch == static_cast<WCHAR>(L'0' + (nVirtualKey - VK_NUMPAD0));
    if (::MapVirtualKeyW(nVirtualKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    const WCHAR chUpper = UpperOf(ch);
    if (nVirtualKey == ch || nVirtualKey == chUpper)
        return TRUE;
    const int nLayouts = ::GetKeyboardLayoutList(0, nullptr);
    if (nLayouts <= 1)
        return FALSE;
    std::vector<HKL> layouts(static_cast<size_t>(nLayouts));
    ::GetKeyboardLayoutList(nLayouts, layouts.data());
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    BYTE shiftedState[256];
    std::memcpy(shiftedState, keyState, sizeof(keyState));
    shiftedState[VK_SHIFT] = 0x80;
    for (HKL hLayout : layouts) {
        for (const BYTE* pState : {static_cast<const BYTE*>(keyState), static_cast<const BYTE*>(shiftedState)}) {
            const WCHAR chTyped = CharOfKey(nVirtualKey, pState, hLayout);
            if (chTyped != 0 && (chTyped == ch || UpperOf(chTyped) == chUpper))
                return TRUE;
        }
    }
    return FALSE;
}
