#include "TkSkinImportTable.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kReadableProtection = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                      PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritableProtection = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kExecutableProtection =
    PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
// No sane module has more descriptors or imports from one module than this; a walk that gets there is
// reading garbage.
constexpr size_t kMaxDescriptors = 4096;
constexpr size_t kMaxThunks = 65536;

// A loaded image seen through bounds and page checks: every pointer it hands out lies inside the image and
// on committed, readable pages of it.
class ImageView {
public:
    explicit ImageView(HMODULE hModule) : m_pBase(reinterpret_cast<const BYTE*>(hModule)) {
        m_bValid = IsPatchableModuleHandle(hModule) && ReadHeaders();
    }

    bool IsValid() const { return m_bValid; }

    // The directory's first descriptor and its size; FALSE when the image has none or it lies outside.
    bool GetImportDirectory(DWORD* pRva) const {
        const IMAGE_DATA_DIRECTORY& dir = m_pNtHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (dir.VirtualAddress == 0 || !Contains(dir.VirtualAddress, dir.Size))
            return false;
        *pRva = dir.VirtualAddress;
        return true;
    }

    // count objects at rva, or NULL when any byte of them lies outside the image or on an unreadable page.
    template <class T>
    const T* At(ULONGLONG rva, size_t count = 1) const {
        const ULONGLONG size = static_cast<ULONGLONG>(sizeof(T)) * count;
        if (!Contains(rva, size) || !IsReadable(rva, size))
            return nullptr;
        return reinterpret_cast<const T*>(m_pBase + rva);
    }

    // The NUL-terminated string at rva, or NULL when it does not end inside the readable image.
    LPCSTR StringAt(DWORD rva) const {
        for (ULONGLONG end = rva; end < m_nSize; ++end) {
            const char* pChar = At<char>(end);
            if (pChar == nullptr)
                return nullptr;
            if (*pChar == '\0')
                return reinterpret_cast<LPCSTR>(m_pBase + rva);
        }
        return nullptr;
    }

    BYTE* Address(ULONGLONG rva) const { return const_cast<BYTE*>(m_pBase + rva); }

private:
    bool Contains(ULONGLONG rva, ULONGLONG size) const { return rva <= m_nSize && size <= m_nSize - rva; }

    bool IsReadable(ULONGLONG rva, ULONGLONG size) const {
        for (const auto& range : m_readable) {
            if (rva >= range.first && rva + size <= range.second)
                return true;
        }
        return false;
    }

    bool ReadHeaders() {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(m_pBase, &info, sizeof(info)) == 0 || info.Type != MEM_IMAGE ||
            info.AllocationBase != m_pBase)
            return false;
        // The headers first, within the first region, before the image's own size is known.
        m_nSize = info.RegionSize;
        AddReadable(info, 0);
        const auto* pDos = At<IMAGE_DOS_HEADER>(0);
        if (pDos == nullptr || pDos->e_magic != IMAGE_DOS_SIGNATURE || pDos->e_lfanew <= 0)
            return false;
        m_pNtHeaders = At<IMAGE_NT_HEADERS>(static_cast<ULONGLONG>(pDos->e_lfanew));
        if (m_pNtHeaders == nullptr || m_pNtHeaders->Signature != IMAGE_NT_SIGNATURE ||
            m_pNtHeaders->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC ||
            m_pNtHeaders->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
            return false;
        // Then every region of the image.
        m_nSize = m_pNtHeaders->OptionalHeader.SizeOfImage;
        m_readable.clear();
        for (ULONGLONG rva = 0; rva < m_nSize;) {
            if (::VirtualQuery(m_pBase + rva, &info, sizeof(info)) == 0 || info.AllocationBase != m_pBase ||
                info.RegionSize == 0)
                return false;
            AddReadable(info, rva);
            rva = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize - m_pBase;
        }
        return true;
    }

    void AddReadable(const MEMORY_BASIC_INFORMATION& info, ULONGLONG rva) {
        if (info.State == MEM_COMMIT && (info.Protect & kReadableProtection) != 0 &&
            (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0)
            m_readable.emplace_back(rva, static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize - m_pBase);
    }

    const BYTE* m_pBase;
    ULONGLONG m_nSize = 0;
    const IMAGE_NT_HEADERS* m_pNtHeaders = nullptr;
    std::vector<std::pair<ULONGLONG, ULONGLONG>> m_readable;  // [first, last) offsets of readable regions
    bool m_bValid = false;
};

// Finds, per matching descriptor, the first address entry equal to pFrom. FALSE at the first doubt.
bool FindTargets(const ImageView& image, LPCSTR pszImportModule, ULONG_PTR nFrom, std::vector<ULONG_PTR*>* pTargets) {
    DWORD nDirectory = 0;
    if (!image.GetImportDirectory(&nDirectory))
        return false;
    for (size_t i = 0;; ++i) {
        const auto* pDescriptor =
            image.At<IMAGE_IMPORT_DESCRIPTOR>(nDirectory + static_cast<ULONGLONG>(i) * sizeof(IMAGE_IMPORT_DESCRIPTOR));
        if (pDescriptor == nullptr || i >= kMaxDescriptors)
            return false;
        if (pDescriptor->Name == 0)
            return true;
        LPCSTR pszName = image.StringAt(pDescriptor->Name);
        if (pszName == nullptr)
            return false;
        if (!EqualsAsciiNoCase(pszName, pszImportModule))
            continue;
        for (size_t j = 0;; ++j) {
            const ULONGLONG nEntry = pDescriptor->FirstThunk + static_cast<ULONGLONG>(j) * sizeof(ULONG_PTR);
            const ULONG_PTR* pEntry = image.At<ULONG_PTR>(nEntry);
            if (pEntry == nullptr || j >= kMaxThunks)
                return false;
            if (*pEntry == 0)
                break;
            if (*pEntry == nFrom) {
                pTargets->push_back(reinterpret_cast<ULONG_PTR*>(image.Address(nEntry)));
                break;
            }
        }
    }
}

bool WriteEntry(ULONG_PTR* pEntry, ULONG_PTR nValue) {
    MEMORY_BASIC_INFORMATION info{};
    if (::VirtualQuery(pEntry, &info, sizeof(info)) == 0)
        return false;
    if ((info.Protect & kWritableProtection) != 0) {
        ::InterlockedExchangePointer(reinterpret_cast<PVOID*>(pEntry), reinterpret_cast<PVOID>(nValue));
        return true;
    }
    // Only the entry's own page changes protection, and it stays executable when it was: the table may
    // share a page with code that runs meanwhile.
    const DWORD dwWritable = (info.Protect & kExecutableProtection) != 0 ? PAGE_EXECUTE_READWRITE : PAGE_READWRITE;
    DWORD dwOld = 0;
    if (!::VirtualProtect(pEntry, sizeof(*pEntry), dwWritable, &dwOld))
        return false;
    ::InterlockedExchangePointer(reinterpret_cast<PVOID*>(pEntry), reinterpret_cast<PVOID>(nValue));
    DWORD dwIgnored = 0;
    ::VirtualProtect(pEntry, sizeof(*pEntry), dwOld, &dwIgnored);
    return true;
}

}  // namespace

BOOL IsPatchableModuleHandle(HMODULE hModule) {
    return hModule != nullptr && (reinterpret_cast<ULONG_PTR>(hModule) & 3) == 0;
}

BOOL EqualsAsciiNoCase(LPCSTR pszA, LPCSTR pszB) {
    for (;; ++pszA, ++pszB) {
        char a = *pszA;
        char b = *pszB;
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return FALSE;
        if (a == '\0')
            return TRUE;
    }
}

BOOL PatchModuleImports(HMODULE hModule, LPCSTR pszImportModule, const void* pFrom, const void* pTo) {
    if (pFrom == nullptr || pTo == nullptr)
        return FALSE;
    const ImageView image(hModule);
    std::vector<ULONG_PTR*> targets;
    if (!image.IsValid() || !FindTargets(image, pszImportModule, reinterpret_cast<ULONG_PTR>(pFrom), &targets))
        return FALSE;
    BOOL bPatched = FALSE;
    for (ULONG_PTR* pEntry : targets)
        bPatched = WriteEntry(pEntry, reinterpret_cast<ULONG_PTR>(pTo)) || bPatched;
    return bPatched;
}
