// The archive property exchange: the exact stored bytes of values, counts, strings, the schema marker,
// enumerations and classes; and streams that lie about their lengths or classes.

#include "FoundationTestSupport.h"
#include "TkPropExchange.h"

#include <memory>
#include <vector>

// Stored classes: one the loaders expect, one of another base. Each counts its constructions.
class CTestItem : public CObject {
    DECLARE_SERIAL(CTestItem)
public:
    CTestItem() { ++s_nConstructed; }
    static int s_nConstructed;
};
IMPLEMENT_SERIAL(CTestItem, CObject, 1)
int CTestItem::s_nConstructed = 0;

class CTestStranger : public CCmdTarget {
    DECLARE_SERIAL(CTestStranger)
public:
    CTestStranger() { ++s_nConstructed; }
    static int s_nConstructed;
};
IMPLEMENT_SERIAL(CTestStranger, CCmdTarget, 1)
int CTestStranger::s_nConstructed = 0;

namespace {

std::vector<BYTE> Bytes(CMemFile& file) {
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    return bytes;
}

// Runs store on a storing exchange and answers the bytes.
template <class F>
std::vector<BYTE> Stored(CMemFile& file, F store) {
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive px(ar);
        store(px);
    }
    return Bytes(file);
}

CMemFile* FileOf(const std::vector<BYTE>& bytes) {
    auto* pFile = new CMemFile;
    pFile->Write(bytes.data(), static_cast<UINT>(bytes.size()));
    pFile->SeekToBegin();
    return pFile;
}

TEST(PropExchange, IntBoolAndStringBytes) {
    CMemFile file;
    int n = 5;
    BOOL b = TRUE;
    CString str(L"ab");
    const std::vector<BYTE> bytes = Stored(file, [&](CTkPropExchange& px) {
        EXPECT_TRUE(ExchangeInt(&px, L"n", n, 0));
        EXPECT_TRUE(ExchangeBool(&px, L"b", b, FALSE));
        EXPECT_TRUE(ExchangeString(&px, L"s", str, L""));
        BSTR bstr = nullptr;
        EXPECT_TRUE(px.ExchangeProp(L"x", VT_BSTR, &bstr, nullptr)) << "an unknown type stores nothing";
    });
    EXPECT_EQ(bytes, (std::vector<BYTE>{5, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b', 0}));
    EXPECT_FALSE(ExchangeInt(nullptr, L"n", n, 0));

    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    int nLoaded = 0;
    BOOL bLoaded = FALSE;
    CString strLoaded;
    ExchangeInt(&px, L"n", nLoaded, 0);
    ExchangeBool(&px, L"b", bLoaded, FALSE);
    ExchangeString(&px, L"s", strLoaded, L"");
    EXPECT_EQ(nLoaded, 5);
    EXPECT_TRUE(bLoaded);
    EXPECT_STREQ(strLoaded, L"ab");
}

// The values without a helper of their own, by their stored bytes: currency low half first, a date as its status
// then its day number, and each read back whole.
TEST(PropExchange, CurrencyDateAndNumberForms) {
    CURRENCY cy;
    cy.Lo = 0x04030201;
    cy.Hi = -2;
    COleDateTime date(2.5);  // noon of the day after the epoch
    BYTE byte = 0x7F;
    short nShort = -3;
    float fSingle = 1.5f;
    double fDouble = -0.25;
    CMemFile file;
    const std::vector<BYTE> bytes = Stored(file, [&](CTkPropExchange& px) {
        EXPECT_TRUE(px.ExchangeProp(L"cy", VT_CY, &cy, nullptr));
        EXPECT_TRUE(px.ExchangeProp(L"date", VT_DATE, &date, nullptr));
        EXPECT_TRUE(px.ExchangeProp(L"byte", VT_UI1, &byte, nullptr));
        EXPECT_TRUE(px.ExchangeProp(L"short", VT_I2, &nShort, nullptr));
        EXPECT_TRUE(px.ExchangeProp(L"single", VT_R4, &fSingle, nullptr));
        EXPECT_TRUE(px.ExchangeProp(L"double", VT_R8, &fDouble, nullptr));
    });
    std::vector<BYTE> expected = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    const double fDay = 2.5;
    const BYTE* pDay = reinterpret_cast<const BYTE*>(&fDay);
    expected.insert(expected.end(), pDay, pDay + sizeof(fDay));
    expected.insert(expected.end(), {0x7F, 0xFD, 0xFF});
    const BYTE* pSingle = reinterpret_cast<const BYTE*>(&fSingle);
    expected.insert(expected.end(), pSingle, pSingle + sizeof(fSingle));
    const BYTE* pDouble = reinterpret_cast<const BYTE*>(&fDouble);
    expected.insert(expected.end(), pDouble, pDouble + sizeof(fDouble));
    EXPECT_EQ(bytes, expected);

    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    CURRENCY cyLoaded = {};
    COleDateTime dateLoaded;
    BYTE byteLoaded = 0;
    short nShortLoaded = 0;
    float fSingleLoaded = 0;
    double fDoubleLoaded = 0;
    px.ExchangeProp(L"cy", VT_CY, &cyLoaded, nullptr);
    px.ExchangeProp(L"date", VT_DATE, &dateLoaded, nullptr);
    px.ExchangeProp(L"byte", VT_UI1, &byteLoaded, nullptr);
    px.ExchangeProp(L"short", VT_I2, &nShortLoaded, nullptr);
    px.ExchangeProp(L"single", VT_R4, &fSingleLoaded, nullptr);
    px.ExchangeProp(L"double", VT_R8, &fDoubleLoaded, nullptr);
    EXPECT_EQ(cyLoaded.int64, cy.int64);
    EXPECT_EQ(dateLoaded.m_dt, 2.5);
    EXPECT_EQ(dateLoaded.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(byteLoaded, 0x7F);
    EXPECT_EQ(nShortLoaded, -3);
    EXPECT_EQ(fSingleLoaded, 1.5f);
    EXPECT_EQ(fDoubleLoaded, -0.25);
}

TEST(PropExchange, CountsAndStringLengthForms) {
    struct Row {
        int nLength;
        std::vector<BYTE> prefix;  // after FF FE FF
    };
    const Row rows[] = {{254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}}};
    for (const Row& row : rows) {
        CMemFile file;
        CString str(L'x', row.nLength);
        const std::vector<BYTE> bytes =
            Stored(file, [&](CTkPropExchange& px) { ExchangeStringNoDefault(&px, L"s", str); });
        std::vector<BYTE> expected = {0xFF, 0xFE, 0xFF};
        expected.insert(expected.end(), row.prefix.begin(), row.prefix.end());
        EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + expected.size()), expected) << row.nLength;
        EXPECT_EQ(bytes.size(), expected.size() + 2 * row.nLength);
    }
    CMemFile file;
    std::vector<BYTE> blob(0x10000, 7);
    BYTE* pBlob = blob.data();
    DWORD nSize = 0x10000;
    const std::vector<BYTE> bytes = Stored(file, [&](CTkPropExchange& px) { ExchangeBlobOf(&px, L"b", pBlob, nSize); });
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 6), (std::vector<BYTE>{0xFF, 0xFF, 0, 0, 1, 0}));

    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    BYTE* pLoaded = nullptr;
    DWORD nLoaded = 0;
    EXPECT_TRUE(ExchangeBlobOf(&px, L"b", pLoaded, nLoaded));
    EXPECT_EQ(nLoaded, 0x10000u);
    EXPECT_EQ(pLoaded[0xFFFF], 7);
    std::free(pLoaded);
}

TEST(PropExchange, SchemaMarkerAndItsAbsence) {
    CMemFile file;
    const std::vector<BYTE> bytes = Stored(file, [](CTkPropExchange& px) {
        px.m_nSchema = 40;
        px.ExchangeSchema();
    });
    EXPECT_EQ(bytes, (std::vector<BYTE>{0xBF, 0xAD, 0xF0, 0x0F, 40, 0, 0, 0}));

    std::unique_ptr<CMemFile> pFile(FileOf({9, 0, 0, 0}));
    CArchive ar(pFile.get(), CArchive::load);
    CTkPropExchangeArchive px(ar);
    px.ExchangeSchema();
    EXPECT_EQ(px.m_nSchema, kSchemaWithoutMarker);
    int n = 0;
    ExchangeInt(&px, L"n", n, 0);
    EXPECT_EQ(n, 9) << "the first four bytes are still the first value";

    std::unique_ptr<CMemFile> pShort(FileOf({0xBF, 0xAD}));
    CArchive arShort(pShort.get(), CArchive::load);
    CTkPropExchangeArchive pxShort(arShort);
    pxShort.ExchangeSchema();
    EXPECT_EQ(pxShort.m_nSchema, kSchemaWithoutMarker) << "fewer than four bytes: no marker";
}

TEST(PropExchange, EnumeratorNamesSectionsAndCountsInBothForms) {
    CMemFile file;
    std::vector<CString> names;
    const std::vector<BYTE> bytes = Stored(file, [&](CTkPropExchange& px) {
        px.m_pOwner = &px;
        std::unique_ptr<CTkPropExchangeEnumerator> pEnum(px.GetEnumerator(L"Item"));
        DWORD nPos = pEnum->GetPosition(3, FALSE);
        EXPECT_EQ(nPos, 1u);
        while (nPos != 0) {
            std::unique_ptr<CTkPropExchange> pSection(pEnum->GetNext(nPos));
            EXPECT_TRUE(pSection->m_bSection);
            EXPECT_EQ(pSection->m_pOwner, &px) << "sections inherit the owner";
            names.push_back(L"x");
        }
        std::unique_ptr<CTkPropExchangeEnumerator> pCompact(px.GetEnumerator(L"Other"));
        EXPECT_EQ(pCompact->GetPosition(0, TRUE), 0u);
    });
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(bytes, (std::vector<BYTE>{3, 0, 0, 0, 0, 0}));
}

TEST(PropExchange, ClassesAreNumberedAndAWrongBaseIsNeverConstructed) {
    CMemFile file;
    Stored(file, [](CTkPropExchange& px) {
        CTestItem first, second;
        CObject* pObject = &first;
        EXPECT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTestItem)));
        pObject = &second;
        EXPECT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTestItem)));
    });
    {
        CArchive ar(&file, CArchive::load);
        CTkPropExchangeArchive px(ar);
        for (int i = 0; i < 2; ++i) {
            CObject* pObject = nullptr;
            ASSERT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTestItem)));
            EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestItem)));
            EXPECT_EQ(px.m_nSchema, 1);
            delete pObject;
        }
    }

    CMemFile stranger;
    Stored(stranger, [](CTkPropExchange& px) {
        CRuntimeClass* pClass = RUNTIME_CLASS(CTestStranger);
        ExchangeRuntimeClassOf(&px, L"Class", pClass, nullptr);
    });
    const int nBefore = CTestStranger::s_nConstructed;
    CArchive ar(&stranger, CArchive::load);
    CTkPropExchangeArchive px(ar);
    CObject* pObject = nullptr;
    bool bThrown = false;
    try {
        px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTestItem));
    } catch (CArchiveException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(pObject, nullptr);
    EXPECT_EQ(CTestStranger::s_nConstructed, nBefore) << "no object of the wrong class exists";
}

TEST(PropExchange, LyingLengthsFailWithoutHugeAllocations) {
    // A string claiming 2^40 characters, and a blob count past the end of the file.
    const std::vector<std::vector<BYTE>> streams = {
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 1, 0, 0, 'a', 0},
        {0xFF, 0xFF, 0x00, 0x00, 0x10, 0x00, 1, 2, 3}};
    for (size_t i = 0; i < streams.size(); ++i) {
        std::unique_ptr<CMemFile> pFile(FileOf(streams[i]));
        CArchive ar(pFile.get(), CArchive::load);
        CTkPropExchangeArchive px(ar);
        bool bThrown = false;
        try {
            if (i == 0) {
                CString str;
                ExchangeStringNoDefault(&px, L"s", str);
            } else {
                BYTE* pData = nullptr;
                DWORD nSize = 0;
                ExchangeBlobOf(&px, L"b", pData, nSize);
                std::free(pData);
            }
        } catch (CArchiveException* e) {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << "stream " << i;
    }
    // A caller's buffer too small for the stored blob stops the load instead of misreading the rest.
    std::unique_ptr<CMemFile> pFile(FileOf({4, 0, 1, 2, 3, 4}));
    CArchive ar(pFile.get(), CArchive::load);
    CTkPropExchangeArchive px(ar);
    BYTE buffer[2];
    BYTE* pBuffer = buffer;
    DWORD nSize = 2;
    EXPECT_THROW(
        {
            try {
                ExchangeBlobOf(&px, L"b", pBuffer, nSize);
            } catch (CArchiveException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
}

}  // namespace
