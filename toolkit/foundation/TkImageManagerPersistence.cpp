// Saving and loading an image manager's icons through the property exchange, each icon's state images
// as device-independent bitmaps inside the same archive.

#include "TkImageManager.h"

#include "TkImageManagerIcon.h"
#include "TkPropExchange.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const LPCWSTR kCheckSum = L"CTkImageManagerIcons";
constexpr int kIconSchema = 33;
// Above this schema, stored alpha pixels are premultiplied already.
constexpr int kPremultipliedSchema = 24;
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD kMaxHeaderSize = kInfoHeaderSize + 4 * 256;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// The header size stored for a depth: room for the colour table (4 and 8 bpp) or three masks.
DWORD StoredHeaderSize(WORD nBitCount) {
    return kInfoHeaderSize + 4 * (nBitCount == 4 ? 16 : nBitCount == 8 ? 256 : 3);
}

// Reads and drops nCount bytes (ReadExact raises at the archive's end).
void SkipBytes(CArchive& ar, ULONGLONG nCount) {
    BYTE buffer[4096];
    while (nCount > 0) {
        const UINT nChunk = static_cast<UINT>(std::min<ULONGLONG>(nCount, sizeof(buffer)));
        ar.ReadExact(buffer, nChunk);
        nCount -= nChunk;
    }
}

// The real size of the pixels a header describes, or 0 for a header no DIB section can have (a
// depth, size or colour table that does not fit the stored header).
ULONGLONG RealImageSize(const BITMAPINFOHEADER& header, DWORD nHeaderSize) {
    const WORD nBits = header.biBitCount;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1 ||
        (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32))
        return 0;
    if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32)))
        return 0;
    const ULONGLONG nColors = nBits <= 8 ? (header.biClrUsed != 0 ? header.biClrUsed : 1ull << nBits) : 0;
    const ULONGLONG nMasks = header.biCompression == BI_BITFIELDS ? 3 : 0;
    if (nColors > (1ull << nBits) || kInfoHeaderSize + 4 * (nColors + nMasks) > nHeaderSize)
        return 0;
    const ULONGLONG nStride = (static_cast<ULONGLONG>(header.biWidth) * nBits + 31) / 32 * 4;
    const ULONGLONG nRows = static_cast<ULONGLONG>(std::llabs(static_cast<long long>(header.biHeight)));
    const ULONGLONG nSize = nStride * nRows;
    return nSize <= 0x7FFFFFFF ? nSize : 0;
}

}  // namespace

// ---- Bitmaps

BOOL ReadBitmapBits(HBITMAP hBitmap, BYTE** ppBits, DWORD* pnBitsSize, BITMAPINFO** ppHeader, DWORD* pnHeaderSize) {
    *ppBits = nullptr;
    *ppHeader = nullptr;
    if (hBitmap == nullptr)
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return FALSE;
    BITMAPINFOHEADER query = {};
    query.biSize = kInfoHeaderSize;
    // Room for a colour table GetDIBits may write even when asked for the header alone.
    std::unique_ptr<BYTE, FreeDeleter> queryBuffer(static_cast<BYTE*>(std::calloc(1, kMaxHeaderSize)));
    if (queryBuffer == nullptr)
        return FALSE;
    std::memcpy(queryBuffer.get(), &query, sizeof(query));
    auto* pQuery = reinterpret_cast<BITMAPINFO*>(queryBuffer.get());
    if (::GetDIBits(dc, hBitmap, 0, 0, nullptr, pQuery, DIB_RGB_COLORS) == 0)
        return FALSE;
    const BITMAPINFOHEADER& info = pQuery->bmiHeader;
    const LONG nRows = std::abs(info.biHeight);
    const unsigned long long nBitsSize = info.biSizeImage != 0 ? info.biSizeImage : 4ull * info.biWidth * nRows;
    const DWORD nHeaderSize = StoredHeaderSize(info.biBitCount);
    if (nBitsSize == 0 || nBitsSize > 0x7FFFFFFF)
        return FALSE;
    std::unique_ptr<BYTE, FreeDeleter> header(static_cast<BYTE*>(std::calloc(1, nHeaderSize)));
    std::unique_ptr<BYTE, FreeDeleter> bits(static_cast<BYTE*>(std::malloc(static_cast<size_t>(nBitsSize))));
    if (header == nullptr || bits == nullptr)
        return FALSE;
    std::memcpy(header.get(), &info, kInfoHeaderSize);
    if (::GetDIBits(dc, hBitmap, 0, nRows, bits.get(), reinterpret_cast<BITMAPINFO*>(header.get()), DIB_RGB_COLORS) !=
        nRows)
        return FALSE;
    *ppBits = bits.release();
    *pnBitsSize = static_cast<DWORD>(nBitsSize);
    *ppHeader = reinterpret_cast<BITMAPINFO*>(header.release());
    *pnHeaderSize = nHeaderSize;
    return TRUE;
}

void WriteDib(CArchive& ar, HBITMAP hBitmap) {
    BYTE* pBits = nullptr;
    BITMAPINFO* pHeader = nullptr;
    DWORD nBitsSize = 0;
    DWORD nHeaderSize = 0;
    if (!ReadBitmapBits(hBitmap, &pBits, &nBitsSize, &pHeader, &nHeaderSize)) {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(nHeaderSize);
    ar.Write(pHeader, nHeaderSize);
    ar.WriteCount(nBitsSize);
    ar.Write(pBits, nBitsSize);
    std::free(pBits);
    std::free(pHeader);
}

HBITMAP ReadDib(CArchive& ar, BYTE** ppBits) {
    if (ppBits != nullptr)
        *ppBits = nullptr;
    const ULONGLONG nHeaderSize = ar.ReadCount();  // never beyond the bytes left
    if (nHeaderSize == 0)
        return nullptr;
    std::vector<BYTE> header;
    if (nHeaderSize >= kInfoHeaderSize && nHeaderSize <= kMaxHeaderSize) {
        header.resize(static_cast<size_t>(nHeaderSize));
        ar.ReadExact(header.data(), static_cast<UINT>(nHeaderSize));
    } else {
        SkipBytes(ar, nHeaderSize);
    }
    const ULONGLONG nBitsSize = ar.ReadCount();
    BITMAPINFOHEADER info = {};
    if (!header.empty())
        std::memcpy(&info, header.data(), sizeof(info));
    const ULONGLONG nRealSize = header.empty() ? 0 : RealImageSize(info, static_cast<DWORD>(nHeaderSize));
    HBITMAP hBitmap = nullptr;
    void* pBits = nullptr;
    if (nRealSize != 0 && nBitsSize != 0) {
        // The stored image size is not trusted: the DIB gets its real size.
        reinterpret_cast<BITMAPINFOHEADER*>(header.data())->biSizeImage = static_cast<DWORD>(nRealSize);
        CDC dc;
        if (dc.CreateCompatibleDC(nullptr))
            hBitmap = ::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(header.data()), DIB_RGB_COLORS, &pBits,
                                         nullptr, 0);
    }
    ULONGLONG nLeft = nBitsSize;
    if (hBitmap != nullptr) {
        const ULONGLONG nCopy = std::min(nBitsSize, nRealSize);
        ar.ReadExact(pBits, static_cast<UINT>(nCopy));
        nLeft -= nCopy;
        if (ppBits != nullptr)
            *ppBits = static_cast<BYTE*>(pBits);
    }
    SkipBytes(ar, nLeft);
    return hBitmap;
}

// ---- CTkImageManagerIcon

void CTkImageManagerIcon::Serialize(CArchive& ar) {
    int nSchema = kIconSchema;
    if (ar.IsLoading())
        ar >> m_nHeight >> nSchema;
    else
        ar << m_nHeight << nSchema;
    SerializeImage(m_normal, ar, nSchema);
    SerializeImage(m_disabled, ar, nSchema);
    SerializeImage(m_hot, ar, nSchema);
    if (nSchema > 7)
        SerializeImage(m_checked, ar, nSchema);
    if (nSchema > 16)
        SerializeImage(m_pressed, ar, nSchema);
}

void CTkImageManagerIcon::SerializeImage(IconStateImage& image, CArchive& ar, int nSchema) {
    if (ar.IsStoring()) {
        IconStateImage copy;  // own handles, out of any strip
        copy.CopyFrom(image);
        if (copy.IsEmpty()) {
            ar.WriteCount(0);
            ar.WriteCount(0);
        } else if (copy.IsAlpha()) {
            WriteDib(ar, copy.GetPremultipliedBits() != nullptr ? copy.m_hBitmap : nullptr);
            ar.WriteCount(0);
        } else {
            ICONINFO info = {};
            const BOOL bInfo = ::GetIconInfo(copy.m_hIcon, &info);
            WriteDib(ar, bInfo ? info.hbmColor : nullptr);
            WriteDib(ar, bInfo ? info.hbmMask : nullptr);
            for (HBITMAP hBitmap : {info.hbmColor, info.hbmMask})
                if (hBitmap != nullptr)
                    ::DeleteObject(hBitmap);
        }
        return;
    }
    BYTE* pBits = nullptr;
    HBITMAP hColor = ReadDib(ar, &pBits);
    HBITMAP hMask = nullptr;
    try {
        hMask = ReadDib(ar, nullptr);
    } catch (...) {
        if (hColor != nullptr)
            ::DeleteObject(hColor);
        throw;
    }
    IconStateImage loaded;
    if (hColor != nullptr && hMask != nullptr) {
        BITMAP bm = {};
        ::GetObjectW(hColor, sizeof(bm), &bm);
        CImageList images;
        if (images.Create(bm.bmWidth, std::abs(bm.bmHeight), ILC_COLOR24 | ILC_MASK, 0, 1) &&
            images.Add(CBitmap::FromHandle(hColor), CBitmap::FromHandle(hMask)) >= 0)
            loaded.AttachIcon(::ImageList_GetIcon(images, 0, 0));
        ::DeleteObject(hColor);
        ::DeleteObject(hMask);
    } else if (hColor != nullptr) {
        loaded.AttachBitmap(hColor);
        if (nSchema > kPremultipliedSchema)
            loaded.m_pPremultipliedBits = pBits;
    } else if (hMask != nullptr) {
        ::DeleteObject(hMask);
    }
    image.CopyFrom(loaded);
}

// ---- CTkImageManager

void CTkImageManager::Serialize(CArchive& ar) {
    CTkPropExchangeArchive exchange(ar);
    DoPropExchange(&exchange);
}

void CTkImageManager::DoPropExchange(CTkPropExchange* pPX) {
    std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"IconSet"));
    if (pPX->IsLoading()) {
        RemoveAll();
        DWORD nPosition = pEnumerator->GetPosition(0, FALSE);
        while (nPosition != 0) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            int nId = 0;
            ExchangeIntNoDefault(pSection.get(), L"Id", nId);
            ExchangeIconSet(static_cast<UINT>(nId), pSection.get());
        }
        return;
    }
    DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(m_mapIconSets.GetCount()), FALSE);
    ForEachInMap(m_mapIconSets, [&](UINT nSetId, CTkImageManagerIconSet*) {
        std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
        int nId = static_cast<int>(nSetId);
        ExchangeIntNoDefault(pSection.get(), L"Id", nId);
        ExchangeIconSet(nSetId, pSection.get());
    });
}

void CTkImageManager::ExchangeIconSet(UINT nId, CTkPropExchange* pPX) {
    m_nHighestId = std::max(m_nHighestId, nId);
    CString strCheckSum = kCheckSum;
    ExchangeString(pPX, L"CheckSum", strCheckSum, kCheckSum);
    std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Icon"));
    CTkImageManagerIconSet* pSet = GetIconSet(nId);
    if (!pPX->IsLoading()) {
        DWORD nPosition =
            pEnumerator->GetPosition(pSet != nullptr ? static_cast<DWORD>(pSet->GetIcons().GetCount()) : 0, FALSE);
        if (pSet == nullptr)
            return;
        ForEachInMap(pSet->GetIcons(), [&](UINT nWidth, CTkImageManagerIcon* pIcon) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            int nStoredWidth = static_cast<int>(nWidth);
            ExchangeIntNoDefault(pSection.get(), L"Width", nStoredWidth);
            ExchangeSerializedObject(pSection.get(), L"Data", pIcon);
        });
        return;
    }
    if (strCheckSum != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
    if (pSet != nullptr) {
        pSet->RemoveAll();
    } else {
        pSet = new CTkImageManagerIconSet(nId, this);
        m_mapIconSets[nId] = pSet;
    }
    DWORD nPosition = pEnumerator->GetPosition(0, FALSE);
    while (nPosition != 0) {
        std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
        int nWidth = 16;
        ExchangeIntNoDefault(pSection.get(), L"Width", nWidth);
        auto* pIcon = new CTkImageManagerIcon(nId, nWidth, 15, pSet);
        // Entered whatever its data gives: a damaged icon stays, with the images that did load.
        pSet->AddIcon(static_cast<UINT>(nWidth), pIcon);
        ExchangeSerializedObject(pSection.get(), L"Data", pIcon);
    }
}
