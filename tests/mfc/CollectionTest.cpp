#include "TestPrinters.h"
#include "mfc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class KEY, class ARG_KEY, class VALUE>
std::vector<KEY> KeysInOrder(const CMap<KEY, ARG_KEY, VALUE, VALUE>& map) {
    std::vector<KEY> keys;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        KEY key;
        VALUE value;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

using CWidthMap = CMap<UINT, UINT, int, int>;

TEST(CollectionTest, MapIteratesBucketsAscendingNewestFirst) {
    // 16 and 24 share bucket 1 (key >> 4), 40 is in bucket 2.
    struct Row {
        std::vector<UINT> inserted;
        std::vector<UINT> visited;
    };
    const Row rows[] = {
        {{16, 24, 40}, {24, 16, 40}},
        {{24, 16, 40}, {16, 24, 40}},
        {{40, 24, 16}, {16, 24, 40}},
        // Bucket = (key >> 4) % 17: 272 wraps to bucket 0.
        {{16, 272}, {272, 16}},
    };
    for (const Row& row : rows) {
        CWidthMap map;
        for (UINT key : row.inserted)
            map.SetAt(key, static_cast<int>(key));
        EXPECT_EQ(KeysInOrder(map), row.visited);
    }
}

TEST(CollectionTest, MapSetAtAndRemoveKeepOthersInPlace) {
    CWidthMap map;
    for (UINT key : {16u, 20u, 24u, 28u})  // all in bucket 1
        map.SetAt(key, 0);
    map.SetAt(20, 5);  // an existing key keeps its place
    EXPECT_EQ(KeysInOrder(map), (std::vector<UINT>{28, 24, 20, 16}));
    EXPECT_TRUE(map.RemoveKey(24));
    EXPECT_FALSE(map.RemoveKey(24));
    EXPECT_EQ(KeysInOrder(map), (std::vector<UINT>{28, 20, 16}));
    int value = 0;
    EXPECT_TRUE(map.Lookup(20, value));
    EXPECT_EQ(value, 5);
    EXPECT_FALSE(map.Lookup(24, value));
    EXPECT_EQ(map.GetCount(), 3);
}

TEST(CollectionTest, MapHashesPointersTruncatedAfterShift) {
    CMapPtrToPtr map;
    void* const pLow = reinterpret_cast<void*>(0x100);                // bucket 16
    void* const pWrapped = reinterpret_cast<void*>(0x110);            // bucket 0
    void* const pHigh = reinterpret_cast<void*>(0x1000000000100ull);  // truncated: bucket 16
    for (void* p : {pLow, pWrapped, pHigh})
        map.SetAt(p, p);
    EXPECT_EQ(KeysInOrder(map), (std::vector<void*>{pWrapped, pHigh, pLow}));
}

TEST(CollectionTest, MapHashTableSizeIsSetOnlyWhileEmpty) {
    CWidthMap map;
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    map.InitHashTable(199);
    map[3200] = 1;  // (3200 >> 4) = 200: bucket 1 of 199
    map[16] = 2;    // bucket 1
    EXPECT_EQ(map.GetHashTableSize(), 199u);
    EXPECT_EQ(KeysInOrder(map), (std::vector<UINT>{16, 3200}));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CollectionTest, StringMapFindsByValue) {
    CMapStringToPtr map;
    int a = 0;
    map.SetAt(L"alpha", &a);
    void* p = nullptr;
    CString key(L"alp");
    key += L"ha";
    EXPECT_TRUE(map.Lookup(key, p));
    EXPECT_EQ(p, &a);
    EXPECT_FALSE(map.Lookup(L"Alpha", p));
}

TEST(CollectionTest, ArrayGrowsWithZeroedElementsAndChecksIndices) {
    struct Position {
        int x, y;
    };
    CArray<Position> positions;
    positions.SetSize(3);
    EXPECT_EQ(positions[2].x, 0);
    EXPECT_EQ(positions.Add({7, 8}), 3);
    positions.InsertAt(1, {1, 1}, 2);
    positions.RemoveAt(0);
    ASSERT_EQ(positions.GetSize(), 5);
    EXPECT_EQ(positions[0].x, 1);
    EXPECT_EQ(positions[4].y, 8);
    positions.InsertAt(7, {9, 9});  // past the end: grows to the index first
    EXPECT_EQ(positions.GetSize(), 8);
    EXPECT_EQ(positions[5].x, 0);
    for (INT_PTR bad : {INT_PTR(-1), INT_PTR(8)}) {
        try {
            positions.GetAt(bad);
            ADD_FAILURE() << bad;
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    }
}

TEST(CollectionTest, ArrayOfStringsCopiesAndAppends) {
    CArray<CString, LPCTSTR> names;
    names.Add(L"a");
    names.Add(L"b");
    names.Add(names[0]);  // an element of the same array
    CArray<CString, LPCTSTR> copy;
    copy.Copy(names);
    EXPECT_EQ(copy.Append(names), 3);
    EXPECT_EQ(copy.GetSize(), 6);
    EXPECT_EQ(copy[5], L"a");
    copy.RemoveAt(1, 4);
    EXPECT_EQ(copy.GetUpperBound(), 1);
    EXPECT_EQ(copy[1], L"a");
}

TEST(CollectionTest, ListWalksAndEditsByPosition) {
    CList<int, int> list;
    list.AddTail(2);
    list.AddHead(1);
    POSITION posThree = list.AddTail(3);
    list.InsertBefore(posThree, 25);
    list.InsertAfter(list.GetHeadPosition(), 15);
    std::vector<int> forward;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        forward.push_back(list.GetNext(pos));
    EXPECT_EQ(forward, (std::vector<int>{1, 15, 2, 25, 3}));

    EXPECT_EQ(list.GetAt(list.FindIndex(3)), 25);
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.Find(2), list.FindIndex(2));
    EXPECT_EQ(list.Find(1, list.GetHeadPosition()), nullptr);
    list.RemoveAt(list.Find(25));
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 3);
    POSITION pos = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(pos), 2);
    EXPECT_EQ(list.GetPrev(pos), 15);
    EXPECT_EQ(pos, nullptr);
    list.RemoveAll();
    try {
        list.RemoveHead();
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

}  // namespace

namespace {

using CIdSet = CMap<UINT, UINT, BOOL, BOOL>;
using Bytes = std::vector<BYTE>;

Bytes StoredMap(CObject& map) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void LoadMap(CObject& map, Bytes bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    map.Serialize(ar);
}

TEST(CollectionTest, MapSerializesCountThenRawPairsInIterationOrder) {
    CIdSet ids;
    ids.SetAt(0x20, TRUE);  // bucket 2
    ids.SetAt(5, TRUE);     // bucket 0
    ids.SetAt(7, FALSE);    // bucket 0, newest first
    const Bytes stored = StoredMap(ids);
    EXPECT_EQ(stored, (Bytes{0x03, 0x00,                                                     // count
                             0x07, 0,    0, 0, 0x00, 0, 0, 0, 0x05, 0, 0, 0, 0x01, 0, 0, 0,  // bucket 0
                             0x20, 0,    0, 0, 0x01, 0, 0, 0}));

    CIdSet loaded;
    loaded.SetAt(99, TRUE);  // replaced, not merged
    LoadMap(loaded, stored);
    EXPECT_EQ(loaded.GetCount(), 3);
    BOOL value = TRUE;
    EXPECT_TRUE(loaded.Lookup(7, value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(loaded.Lookup(0x20, value));
    EXPECT_FALSE(loaded.Lookup(99, value));
}

TEST(CollectionTest, MapLoadStopsAtTheEndOfAShortStream) {
    CIdSet ids;
    // A count of 0xFFFF..: pairs are read one at a time, so the load fails at the stream's end.
    for (const Bytes& bytes : {Bytes{0x02, 0x00, 0x05, 0, 0, 0, 0x01, 0, 0, 0, 0x06},
                               Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x05, 0, 0, 0}}) {
        int cause = -1;
        try {
            LoadMap(ids, bytes);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, CArchiveException::endOfFile);
    }
}

TEST(CollectionTest, StringMapSerializesKeysInTheArchiveStringForm) {
    CMap<CString, LPCTSTR, int, int> map;
    map.SetAt(L"ab", 1);
    const Bytes stored = StoredMap(map);
    EXPECT_EQ(stored, (Bytes{0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x02, 0x61, 0, 0x62, 0, 0x01, 0, 0, 0}));
    CMap<CString, LPCTSTR, int, int> loaded;
    LoadMap(loaded, stored);
    int value = 0;
    EXPECT_TRUE(loaded.Lookup(L"ab", value));
    EXPECT_EQ(value, 1);
}

}  // namespace
