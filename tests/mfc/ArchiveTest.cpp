#include "TestPrinters.h"
#include "mfc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace archive_test {

// Counts constructions, so tests can show that a refused class was never created.
class CStoredBase : public CObject {
    DECLARE_SERIAL(CStoredBase)
public:
    CStoredBase() { ++s_nCreated; }
    static int s_nCreated;
};
int CStoredBase::s_nCreated = 0;
IMPLEMENT_SERIAL(CStoredBase, CObject, VERSIONABLE_SCHEMA | 33)

class CStoredItem : public CStoredBase {
    DECLARE_SERIAL(CStoredItem)
};
IMPLEMENT_SERIAL(CStoredItem, CStoredBase, VERSIONABLE_SCHEMA | 33)

class CStoredOther : public CObject {
    DECLARE_SERIAL(CStoredOther)
};
IMPLEMENT_SERIAL(CStoredOther, CObject, VERSIONABLE_SCHEMA | 33)

// Not versionable: loads only its own schema.
class CStoredFixed : public CObject {
    DECLARE_SERIAL(CStoredFixed)
};
IMPLEMENT_SERIAL(CStoredFixed, CObject, 2)

}  // namespace archive_test

namespace {

using namespace archive_test;
using Bytes = std::vector<BYTE>;

// Runs store(ar) on a storing archive over a memory file and answers the bytes written.
template <class F>
Bytes Stored(F store) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// A loading archive over a copy of bytes.
class CLoader {
public:
    explicit CLoader(Bytes bytes)
        : m_bytes(std::move(bytes)),
          m_file(m_bytes.data(), static_cast<UINT>(m_bytes.size())),
          m_ar(&m_file, CArchive::load) {}
    CArchive& ar() { return m_ar; }

private:
    Bytes m_bytes;
    CMemFile m_file;
    CArchive m_ar;
};

// Answers the cause of the CArchiveException that load raises, or -1 when it raises none.
template <class F>
int ArchiveCause(F load) {
    try {
        load();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ArchiveTest, StoresIntBoolAndStringByteExact) {
    Bytes bytes = Stored([](CArchive& ar) { ar << 5 << BOOL(TRUE) << CString(L"ab"); });
    EXPECT_EQ(bytes, (Bytes{0x05, 0, 0, 0, 0x01, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x02, 0x61, 0, 0x62, 0}));
}

TEST(ArchiveTest, PrimitivesAreLittleEndianWithoutPadding) {
    Bytes bytes = Stored([](CArchive& ar) {
        ar << BYTE(0x01) << WORD(0x0302) << short(-2) << UINT(0x07060504) << LONG(-1) << DWORD(0x0D0C0B0A) << 1.0f
           << 2.0 << LONGLONG(-2) << ULONGLONG(0x1122334455667788);
    });
    EXPECT_EQ(bytes, (Bytes{0x01, 0x02, 0x03, 0xFE, 0xFF, 0x04, 0x05, 0x06, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x0B,
                            0x0C, 0x0D, 0x00, 0x00, 0x80, 0x3F, 0,    0,    0,    0,    0,    0,    0x00, 0x40, 0xFE,
                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
    CLoader loader(bytes);
    BYTE by;
    WORD w;
    short n;
    UINT u;
    LONG l;
    DWORD dw;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    loader.ar() >> by >> w >> n >> u >> l >> dw >> f >> d >> ll >> ull;
    EXPECT_EQ(w, 0x0302);
    EXPECT_EQ(n, -2);
    EXPECT_EQ(l, -1);
    EXPECT_EQ(d, 2.0);
    EXPECT_EQ(ull, 0x1122334455667788u);
}

TEST(ArchiveTest, StringLengthPrefixGrowsAtBoundaries) {
    struct Row {
        int length;
        Bytes prefix;  // after FF FE FF
    };
    const Row rows[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Row& row : rows) {
        CString text(L'x', row.length);
        Bytes bytes = Stored([&](CArchive& ar) { ar << text; });
        Bytes header = Concat({0xFF, 0xFE, 0xFF}, row.prefix);
        ASSERT_EQ(bytes.size(), header.size() + 2 * static_cast<size_t>(row.length)) << row.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(header.size())), header) << row.length;
        CLoader loader(bytes);
        CString loaded(L"stale");
        loader.ar() >> loaded;
        EXPECT_EQ(loaded, text) << row.length;
    }
}

TEST(ArchiveTest, LoadsEightBitStringsWidened) {
    CLoader loader({0x03, 'a', 'b', 'c', 0xFF, 0x01, 0x00, 'z'});
    CString first;
    CString second;
    loader.ar() >> first >> second;
    EXPECT_EQ(first, L"abc");
    EXPECT_EQ(second, L"z");
}

TEST(ArchiveTest, LengthsBeyondTheFileRaiseEndOfFileBeforeAllocating) {
    const Bytes hugeString = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                              0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 'a',  0};  // 2^40 characters
    const Bytes shortString = {0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0};
    const Bytes bigCount = {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 1, 2, 3};
    const Bytes shortInt = {1, 2, 3};
    const Bytes shortRect = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    struct Row {
        const char* name;
        Bytes bytes;
        void (*load)(CArchive& ar);
    };
    const Row rows[] = {
        {"huge string", hugeString,
         [](CArchive& ar) {
             CString s;
             ar >> s;
         }},
        {"short string", shortString,
         [](CArchive& ar) {
             CString s;
             ar >> s;
         }},
        {"count", bigCount, [](CArchive& ar) { ar.ReadCount(); }},
        {"int", shortInt,
         [](CArchive& ar) {
             int i;
             ar >> i;
         }},
        {"rect", shortRect,
         [](CArchive& ar) {
             RECT r;
             ar >> r;
         }},
        {"size",
         {1, 0, 0, 0},
         [](CArchive& ar) {
             SIZE s;
             ar >> s;
         }},
    };
    for (const Row& row : rows) {
        CLoader loader(row.bytes);
        EXPECT_EQ(ArchiveCause([&] { row.load(loader.ar()); }), CArchiveException::endOfFile) << row.name;
    }
}

TEST(ArchiveTest, CountUsesWordThenLongForm) {
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0x10000); }), (Bytes{0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFE); }), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFF); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    CLoader loader(Concat({0x02, 0x00, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00}, Bytes(3)));
    EXPECT_EQ(loader.ar().ReadCount(), 2u);
    EXPECT_EQ(loader.ar().ReadCount(), 3u);
}

TEST(ArchiveTest, ClassReferencesRoundTripWithBackReferences) {
    CStoredBase object;
    Bytes bytes = Stored([&](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));   // index 1
        ar.MapObject(&object);                       // index 2
        ar.WriteClass(RUNTIME_CLASS(CStoredOther));  // index 3
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
        ar.WriteClass(RUNTIME_CLASS(CStoredOther));
    });
    const Bytes expected = {0xFF, 0xFF, 0x21, 0x00, 0x0B, 0x00, 'C',  'S',  't',  'o',  'r',  'e',  'd',
                            'I',  't',  'e',  'm',  0xFF, 0xFF, 0x21, 0x00, 0x0C, 0x00, 'C',  'S',  't',
                            'o',  'r',  'e',  'd',  'O',  't',  'h',  'e',  'r',  0x01, 0x80, 0x03, 0x80};
    EXPECT_EQ(bytes, expected);

    CLoader loader(bytes);
    UINT nSchema = 0;
    EXPECT_EQ(loader.ar().ReadClass(RUNTIME_CLASS(CStoredBase), &nSchema), RUNTIME_CLASS(CStoredItem));
    EXPECT_EQ(nSchema, 33u);
    loader.ar().MapObject(&object);
    EXPECT_EQ(loader.ar().ReadClass(), RUNTIME_CLASS(CStoredOther));
    EXPECT_EQ(loader.ar().ReadClass(RUNTIME_CLASS(CStoredItem)), RUNTIME_CLASS(CStoredItem));
    EXPECT_EQ(loader.ar().ReadClass(nullptr, &nSchema), RUNTIME_CLASS(CStoredOther));
}

TEST(ArchiveTest, BackReferencesUseLongFormFromIndex7FFF) {
    std::vector<char> objects(0x7FFE);
    Bytes bytes = Stored([&](CArchive& ar) {
        for (char& object : objects)  // indices 1..0x7FFE; only the addresses are used
            ar.MapObject(reinterpret_cast<CObject*>(&object));
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));  // index 0x7FFF
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
    });
    EXPECT_EQ(Bytes(bytes.end() - 6, bytes.end()), (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));

    CLoader loader(bytes);
    for (char& object : objects)
        loader.ar().MapObject(reinterpret_cast<CObject*>(&object));
    EXPECT_EQ(loader.ar().ReadClass(), RUNTIME_CLASS(CStoredItem));
    EXPECT_EQ(loader.ar().ReadClass(), RUNTIME_CLASS(CStoredItem));
}

TEST(ArchiveTest, ReadClassRefusesWhatTheCallerCannotUse) {
    auto newClass = [](const char* name, WORD schema) {
        Bytes bytes = {
            0xFF, 0xFF, static_cast<BYTE>(schema), static_cast<BYTE>(schema >> 8), static_cast<BYTE>(strlen(name)),
            0x00};
        return Concat(bytes, Bytes(name, name + strlen(name)));
    };
    struct Row {
        const char* name;
        Bytes bytes;
        const CRuntimeClass* pRequested;
        int cause;
    };
    const Row rows[] = {
        {"unknown name", newClass("CNowhere", 33), nullptr, CArchiveException::badClass},
        {"wrong base", newClass("CStoredOther", 33), RUNTIME_CLASS(CStoredBase), CArchiveException::badClass},
        {"fixed schema", newClass("CStoredFixed", 3), nullptr, CArchiveException::badSchema},
        {"index never given", {0x05, 0x80}, nullptr, CArchiveException::badIndex},
        {"object tag", {0x01, 0x00}, nullptr, CArchiveException::badIndex},
        {"cut name", Bytes{0xFF, 0xFF, 0x21, 0x00, 0x0B, 0x00, 'C', 'S'}, nullptr, CArchiveException::endOfFile},
    };
    CStoredBase::s_nCreated = 0;
    for (const Row& row : rows) {
        CLoader loader(row.bytes);
        EXPECT_EQ(ArchiveCause([&] { loader.ar().ReadClass(row.pRequested); }), row.cause) << row.name;
    }
    EXPECT_EQ(CStoredBase::s_nCreated, 0);

    // A versionable class loads any stored schema and reports it.
    CLoader loader(newClass("CStoredItem", 7));
    UINT nSchema = 0;
    EXPECT_EQ(loader.ar().ReadClass(RUNTIME_CLASS(CStoredBase), &nSchema), RUNTIME_CLASS(CStoredItem));
    EXPECT_EQ(nSchema, 7u);
}

TEST(ArchiveTest, PeekDoesNotConsume) {
    CLoader shortStream({0xBF, 0xAD, 0xF0});
    DWORD marker = 0;
    EXPECT_EQ(shortStream.ar().Peek(&marker, 4), 3u);
    BYTE first = 0;
    shortStream.ar() >> first;
    EXPECT_EQ(first, 0xBF);

    CLoader markedStream({0xBF, 0xAD, 0xF0, 0x0F, 0x21, 0x00, 0x00, 0x00});
    EXPECT_EQ(markedStream.ar().Peek(&marker, 4), 4u);
    EXPECT_EQ(marker, 0x0FF0ADBFu);
    DWORD again = 0;
    int schema = 0;
    markedStream.ar() >> again >> schema;
    EXPECT_EQ(again, marker);
    EXPECT_EQ(schema, 33);
}

TEST(ArchiveTest, ModeMismatchRaises) {
    CLoader loader({1, 2, 3, 4});
    EXPECT_EQ(ArchiveCause([&] { loader.ar() << 1; }), CArchiveException::readOnly);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(ArchiveCause([&] {
                  int i;
                  ar >> i;
              }),
              CArchiveException::writeOnly);
}

TEST(ArchiveTest, LargeStoresSpanTheBuffer) {
    Bytes blob(10000);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<BYTE>(i * 7);
    Bytes bytes = Stored([&](CArchive& ar) {
        ar << BYTE(1);
        ar.Write(blob.data(), static_cast<UINT>(blob.size()));
        ar << BYTE(2);
    });
    ASSERT_EQ(bytes.size(), blob.size() + 2);
    CLoader loader(bytes);
    BYTE head = 0;
    BYTE tail = 0;
    Bytes loaded(blob.size());
    loader.ar() >> head;
    EXPECT_EQ(loader.ar().Read(loaded.data(), static_cast<UINT>(loaded.size())), blob.size());
    loader.ar() >> tail;
    EXPECT_EQ(loaded, blob);
    EXPECT_EQ(tail, 2);
    EXPECT_EQ(loader.ar().Read(&tail, 1), 0u);
}

TEST(ArchiveTest, OleDateStoresStatusThenDate) {
    COleDateTime date(45000.5);
    Bytes bytes = Stored([&](CArchive& ar) { ar << date; });
    EXPECT_EQ(bytes, (Bytes{0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40}));
    CLoader loader(bytes);
    COleDateTime loaded;
    loader.ar() >> loaded;
    EXPECT_EQ(loaded.m_dt, 45000.5);
    EXPECT_EQ(loaded.GetStatus(), COleDateTime::valid);
}

}  // namespace
