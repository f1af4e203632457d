#include "TkShortcutManager.h"

#include "TkCommandBars.h"
#include "TkPropExchange.h"
#include "TkResourceManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

// The saved record of schemas before 33: a Windows ACCEL.
constexpr DWORD kOldRecordSize = sizeof(ACCEL);
static_assert(kOldRecordSize == 6, "the old saved record is a 6-byte ACCEL");
constexpr int kSchemaTwelveByteRecords = 33;

struct FreeDeleter {
    void operator()(BYTE* p) const { std::free(p); }
};

BOOL IsKeyDown(UINT nMessage) {
    return nMessage == WM_KEYDOWN || nMessage == WM_SYSKEYDOWN;
}

BOOL IsModifierKey(WPARAM nKey) {
    return nKey == VK_SHIFT || nKey == VK_CONTROL || nKey == VK_MENU;
}

// Key-downs carry virtual-key keystrokes (Shift and Ctrl exactly as held), characters carry character
// keystrokes; Alt must agree in both.
BOOL KeystrokeMatches(const CTkShortcutManagerAccel::Keystroke& keystroke, const MSG* pMsg, BYTE fModifiers) {
    const BOOL bVirtual = (keystroke.fVirt & kKeyVirtual) != 0;
    const BOOL bChar = pMsg->message == WM_CHAR || pMsg->message == WM_SYSCHAR;
    if (bVirtual ? !IsKeyDown(pMsg->message) : !bChar)
        return FALSE;
    if (keystroke.key != pMsg->wParam)
        return FALSE;
    if (bVirtual && (keystroke.fVirt & (kKeyShift | kKeyCtrl)) != (fModifiers & (kKeyShift | kKeyCtrl)))
        return FALSE;
    return (keystroke.fVirt & kKeyAlt) == (fModifiers & kKeyAlt);
}

// The frame's own accelerator table as records.
CTkShortcutManager::CAccelArray ReadFrameAccelerators(CFrameWnd* pFrame) {
    CTkShortcutManager::CAccelArray records;
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return records;
    const int nCount = ::CopyAcceleratorTableW(pFrame->m_hAccelTable, nullptr, 0);
    std::vector<ACCEL> table(static_cast<size_t>(std::max(nCount, 0)));
    const int nCopied = ::CopyAcceleratorTableW(pFrame->m_hAccelTable, table.data(), nCount);
    for (int i = 0; i < nCopied; ++i)
        records.emplace_back(table[static_cast<size_t>(i)]);
    return records;
}

}  // namespace

// ---- The table

void CTkShortcutManager::AddAccelerators(const ACCEL* pAccel, int nCount) {
    m_accelerators.clear();
    for (int i = 0; i < nCount; ++i)
        m_accelerators.emplace_back(pAccel[i]);
}

void CTkShortcutManager::SetAccelerators(const CTkShortcutManagerAccel* pAccel, int nCount) {
    m_accelerators.assign(pAccel, pAccel + std::max(nCount, 0));
}

void CTkShortcutManager::ResetAccelerators() {
    if (m_originalAccelerators)
        m_accelerators = *m_originalAccelerators;
}

// ---- Texts of commands

BOOL CTkShortcutManager::FindShortcutText(int nCommand, CString& strText) {
    CAccelArray frameTable;
    const CAccelArray* pTable = &GetAccelerators();
    if (pTable->empty() && !m_originalAccelerators) {
        frameTable = ReadFrameAccelerators(DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite()));
        pTable = &frameTable;
    }
    if (pTable->empty())
        return FALSE;
    BOOL bFound = FALSE;
    BOOL bTextIsOne = FALSE;
    CString strBest;
    int nBestPriority = 0;
    for (const CTkShortcutManagerAccel& accel : *pTable) {
        if (accel.cmd != static_cast<DWORD>(nCommand))
            continue;
        int nPriority = 0;
        const CString strCandidate = FormatAccelerator(&accel, &nPriority);
        bTextIsOne = bTextIsOne || strCandidate == strText;
        if (!bFound || nPriority > nBestPriority) {
            strBest = strCandidate;
            nBestPriority = nPriority;
        }
        bFound = TRUE;
    }
    if (!bTextIsOne)
        strText = strBest;
    return bFound;
}

// ---- Carrying out

const CTkShortcutManagerAccel* CTkShortcutManager::FindFirstKeystroke(const MSG* pMsg) const {
    const BYTE fModifiers = GetModifierState();
    for (const CTkShortcutManagerAccel& accel : m_accelerators) {
        if (KeystrokeMatches(accel.key[0], pMsg, fModifiers))
            return &accel;
    }
    return nullptr;
}

BOOL CTkShortcutManager::TranslateAccelerator(const MSG* pMsg) {
    if (m_pCommandBars == nullptr || m_pCommandBars->IsCustomizeMode() || m_nDisableCount > 0 || m_accelerators.empty())
        return FALSE;
    switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSCHAR:
            break;
        default:
            return FALSE;
    }
    const CTkShortcutManagerAccel* pFound = FindFirstKeystroke(pMsg);
    if (pFound == nullptr)
        return FALSE;
    // The record is copied: the wait below dispatches messages that may replace the table.
    const CTkShortcutManagerAccel accel = *pFound;
    // From here the key is the shortcut's, whether or not a command can run now.
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite());
    if (pFrame == nullptr || !pFrame->IsWindowEnabled() || ::GetCapture() != nullptr || pFrame->IsIconic() ||
        accel.cmd == 0)
        return TRUE;
    // The wait may destroy the frame, and the frame object with it.
    const HWND hFrame = pFrame->GetSafeHwnd();
    const DWORD nCommand = accel.key[1].key != 0 ? WaitForSecondKeystroke(pFrame, accel) : accel.cmd;
    if (nCommand != 0 && ::IsWindow(hFrame))
        ::SendMessageW(hFrame, WM_COMMAND, nCommand, 0);
    return TRUE;
}

// The wait runs its own loop with the mouse captured by the frame. It ends without a command on a click,
// a command, a change of activation, WM_QUIT (posted again for the outer loop), a lost capture and a
// destroyed frame, so that neither the quit nor the disable count is ever lost.
DWORD CTkShortcutManager::WaitForSecondKeystroke(CFrameWnd* pFrame, const CTkShortcutManagerAccel& first) {
    const HWND hFrame = pFrame->GetSafeHwnd();
    if (pFrame->GetMessageBar() != nullptr) {
        CTkShortcutManagerAccel firstOnly = first;
        firstOnly.key[1] = {};
        const CString strKey = CKeyHelper(&firstOnly, this).Format();
        CString strFormat;
        CString strPrompt = strKey;
        if (GetResourceManager()->LoadString(strFormat, kIdsSecondKeystrokePrompt))
            strPrompt.Format(strFormat, static_cast<LPCWSTR>(strKey));
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strPrompt)));
    }
    IncrementDisableCount(TRUE);
    ::SetCapture(hFrame);

    DWORD nCommand = 0;
    for (;;) {
        if (!::IsWindow(hFrame) || ::GetCapture() != hFrame)
            break;
        MSG msg;
        const int nGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (nGot <= 0) {
            if (nGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsKeyDown(msg.message)) {
            if (IsModifierKey(msg.wParam))
                continue;
            const BYTE fModifiers = GetModifierState();
            for (const CTkShortcutManagerAccel& accel : m_accelerators) {
                if (accel.key[0].fVirt == first.key[0].fVirt && accel.key[0].key == first.key[0].key &&
                    accel.key[1].key != 0 && KeystrokeMatches(accel.key[1], &msg, fModifiers)) {
                    nCommand = accel.cmd;
                    break;
                }
            }
            if (nCommand == 0)
                ::MessageBeep(MB_ICONEXCLAMATION);
            break;
        }
        ::DispatchMessageW(&msg);
        const UINT nEnding[] = {WM_ACTIVATE, WM_CLOSE, WM_NCACTIVATE, WM_COMMAND, WM_SYSCOMMAND, WM_LBUTTONDOWN};
        if (std::find(std::begin(nEnding), std::end(nEnding), msg.message) != std::end(nEnding))
            break;
    }

    if (::GetCapture() == hFrame)
        ::ReleaseCapture();
    IncrementDisableCount(FALSE);
    if (::IsWindow(hFrame) && pFrame->GetMessageBar() != nullptr)
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, 0);
    return nCommand;
}

// ---- Saving and loading

void CTkShortcutManager::DoPropExchange(CTkPropExchange* pPX) {
    if (!pPX->IsLoading()) {
        if (pPX->AllowsBlobValues()) {
            int nCount = static_cast<int>(m_accelerators.size());
            ExchangeIntNoDefault(pPX, L"Count", nCount);
            DWORD nSize = static_cast<DWORD>(m_accelerators.size() * sizeof(CTkShortcutManagerAccel));
            BYTE* pData = reinterpret_cast<BYTE*>(m_accelerators.data());
            pPX->ExchangeBlob(L"Data", &pData, &nSize);
            return;
        }
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Shortcut"));
        DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(m_accelerators.size()), FALSE);
        for (CTkShortcutManagerAccel& accel : m_accelerators) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            int nId = static_cast<int>(accel.cmd);
            // Table names only: a saved text must not depend on the user's language.
            CString strKey = CKeyHelper(&accel, this, FALSE).Format();
            ExchangeIntNoDefault(pSection.get(), L"Id", nId);
            ExchangeStringNoDefault(pSection.get(), L"Key", strKey);
        }
        return;
    }
    m_accelerators.clear();
    if (pPX->AllowsBlobValues())
        LoadBlob(pPX, pPX->m_nSchema >= kSchemaTwelveByteRecords ? sizeof(CTkShortcutManagerAccel) : kOldRecordSize);
    else
        LoadItems(pPX);
}

void CTkShortcutManager::LoadBlob(CTkPropExchange* pPX, DWORD nRecordSize) {
    int nCount = 0;
    ExchangeIntNoDefault(pPX, L"Count", nCount);
    BYTE* pRaw = nullptr;
    DWORD nSize = 0;
    const BOOL bRead = pPX->ExchangeBlob(L"Data", &pRaw, &nSize);
    std::unique_ptr<BYTE, FreeDeleter> pData(pRaw);
    if (!bRead)
        return;
    // The count and the blob are stored apart: a count the blob cannot hold stops the load, and a
    // partial record at the end is never read.
    const DWORD nRecords = nSize / nRecordSize;
    if (nCount < 0 || static_cast<DWORD>(nCount) > nRecords)
        AfxThrowArchiveException(CArchiveException::badIndex);
    for (int i = 0; i < nCount; ++i) {
        const BYTE* pRecord = pData.get() + static_cast<size_t>(i) * nRecordSize;
        if (nRecordSize == sizeof(CTkShortcutManagerAccel)) {
            CTkShortcutManagerAccel accel;
            std::memcpy(&accel, pRecord, sizeof(accel));
            m_accelerators.push_back(accel);
        } else {
            ACCEL old;
            std::memcpy(&old, pRecord, sizeof(old));
            m_accelerators.emplace_back(old);
        }
    }
}

void CTkShortcutManager::LoadItems(CTkPropExchange* pPX) {
    const BOOL bTexts = pPX->m_nSchema >= kSchemaTwelveByteRecords;
    std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(bTexts ? L"Shortcut" : L"Accel"));
    DWORD nPosition = pEnumerator->GetPosition(0, FALSE);
    while (nPosition != 0) {
        std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
        int nId = 0;
        ExchangeIntNoDefault(pSection.get(), L"Id", nId);
        if (bTexts) {
            CString strKey;
            ExchangeStringNoDefault(pSection.get(), L"Key", strKey);
            CTkShortcutManagerAccel accel;
            if (!ParseShortcut(strKey, &accel))
                continue;
            accel.cmd = static_cast<DWORD>(nId);
            m_accelerators.push_back(accel);
        } else {
            BYTE fVirt = 0;
            short nKey = 0;
            ExchangeByte(pSection.get(), L"virt", fVirt, 0);
            ExchangeShort(pSection.get(), L"key", nKey, 0);
            ACCEL old{fVirt, static_cast<WORD>(nKey), static_cast<WORD>(nId)};
            m_accelerators.emplace_back(old);
        }
    }
}
