#include "TestPrinters.h"
#include "mfc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

// A fresh folder under the temporary path for each test, removed with its files afterwards.
class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        m_folder.Format(L"%smfc_test_%lu_%lu", base, ::GetCurrentProcessId(), ::GetTickCount());
        ASSERT_TRUE(::CreateDirectoryW(m_folder, nullptr));
    }
    void TearDown() override {
        for (const CString& name : {CString(L"a.bin"), CString(L"b.bin")})
            ::DeleteFileW(Path(name));
        ::RemoveDirectoryW(m_folder);
    }
    CString Path(LPCWSTR name) const { return m_folder + L"\\" + name; }

    CString m_folder;
};

int FileCause(void (*operation)(CFile&), CFile& file) {
    try {
        operation(file);
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST_F(FileTest, WritesReadsAndSeeks) {
    CFile file;
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(6, CFile::begin), 6u);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 5u);  // a short read at the end does not throw
    EXPECT_STREQ(buffer, "world");
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.SeekToEnd(), 11u);
    EXPECT_EQ(FileCause([](CFile& f) { f.Seek(-20, CFile::current); }, file), CFileException::badSeek);
    file.Close();
    EXPECT_EQ(file.m_hFile, INVALID_HANDLE_VALUE);

    // modeNoTruncate keeps the contents; modeCreate alone empties the file.
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 11u);
    file.Close();
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST_F(FileTest, OpenReportsTheCause) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path(L"missing.bin"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, LONG(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(error.m_strFileName, Path(L"missing.bin"));
}

TEST_F(FileTest, WithoutShareFlagNobodyElseMayOpen) {
    CFile first;
    ASSERT_TRUE(first.Open(Path(L"b.bin"), CFile::modeCreate | CFile::modeWrite));
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(Path(L"b.bin"), CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    first.Close();

    ASSERT_TRUE(first.Open(Path(L"b.bin"), CFile::modeRead | CFile::shareDenyNone));
    EXPECT_TRUE(second.Open(Path(L"b.bin"), CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(FileTest, ArchiveOverDiskFileRoundTrips) {
    CFile file;
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&file, CArchive::store);
        ar << CString(L"name") << 42;
    }  // the destructor flushes
    file.Close();
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CString name;
    int value = 0;
    ar >> name >> value;
    EXPECT_EQ(name, L"name");
    EXPECT_EQ(value, 42);
}

TEST_F(FileTest, StdioFileReadsLinesWithoutLineEnds) {
    CFile file;
    ASSERT_TRUE(file.Open(Path(L"a.bin"), CFile::modeCreate | CFile::modeWrite));
    const char content[] = "first\r\n\nth\xE9rd\rx\nlast";
    file.Write(content, sizeof(content) - 1);
    file.Close();

    CStdioFile text;
    ASSERT_TRUE(text.Open(Path(L"a.bin"), CFile::modeRead | CFile::typeText));
    const LPCWSTR lines[] = {L"first", L"", L"th\x00E9rd\rx", L"last"};
    CString line;
    for (LPCWSTR expected : lines) {
        ASSERT_TRUE(text.ReadString(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(text.ReadString(line));
    EXPECT_FALSE(text.ReadString(line));  // still usable after the end
    EXPECT_TRUE(line.IsEmpty());
    text.SeekToBegin();
    ASSERT_TRUE(text.ReadString(line));
    EXPECT_EQ(text.GetPosition(), 7u);
    char next[3] = {};
    EXPECT_EQ(text.Read(next, 2), 2u);
    EXPECT_STREQ(next, "\nt");
}

TEST(MemFileTest, BorrowedBytesAreReadInPlaceAndNeverGrow) {
    BYTE bytes[4] = {1, 2, 3, 4};
    CMemFile file(bytes, sizeof(bytes));
    EXPECT_EQ(file.GetLength(), 4u);
    BYTE read[8] = {};
    EXPECT_EQ(file.Read(read, sizeof(read)), 4u);
    EXPECT_EQ(read[3], 4);
    file.Seek(2, CFile::begin);
    file.Write("\x09", 1);  // inside the borrowed bytes
    EXPECT_EQ(bytes[2], 9);
    try {
        file.Write("\x01\x02", 2);
        FAIL() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.GetLength(), 4u);
}

TEST(MemFileTest, OwnedBufferGrowsAndDetaches) {
    CMemFile file(16);
    char text[100];
    std::memset(text, 'x', sizeof(text));
    file.Write(text, sizeof(text));
    file.Seek(120, CFile::begin);
    file.Write("y", 1);  // past the end: the gap reads as zeros
    EXPECT_EQ(file.GetLength(), 121u);
    BYTE* pBuffer = file.Detach();
    ASSERT_NE(pBuffer, nullptr);
    EXPECT_EQ(pBuffer[99], 'x');
    EXPECT_EQ(pBuffer[110], 0);
    EXPECT_EQ(pBuffer[120], 'y');
    std::free(pBuffer);
    EXPECT_EQ(file.GetLength(), 0u);
}

}  // namespace
