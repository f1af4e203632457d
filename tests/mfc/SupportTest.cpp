#include "mfc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(ExceptionTest, SimpleExceptionKeepsBoundedMessage) {
    CString longText(L'm', 300);
    CSimpleException* e = new CSimpleException(longText);
    WCHAR buffer[400];
    UINT nHelp = 99;
    EXPECT_TRUE(e->GetErrorMessage(buffer, 400, &nHelp));
    EXPECT_EQ(wcslen(buffer), 255u);
    EXPECT_EQ(nHelp, 0u);
    WCHAR small[4];
    EXPECT_TRUE(e->GetErrorMessage(small, 4));
    EXPECT_STREQ(small, L"mmm");
    e->Delete();

    CException plain(FALSE);
    EXPECT_FALSE(plain.GetErrorMessage(buffer, 400));
    EXPECT_STREQ(buffer, L"");
}

TEST(ExceptionTest, MemoryExceptionIsOneStaticObject) {
    CMemoryException* pFirst = nullptr;
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_TRUE(pFirst == nullptr || pFirst == e);
            pFirst = e;
            e->Delete();  // does nothing
        }
    }
    EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CException)));
}

TEST(ExceptionTest, HelpersThrowTheirKind) {
    try {
        AfxThrowFileException(CFileException::endOfFile);
    } catch (CException* e) {
        auto* pFile = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(pFile, nullptr);
        EXPECT_EQ(pFile->m_cause, CFileException::endOfFile);
        EXPECT_EQ(pFile->m_lOsError, -1);
        EXPECT_TRUE(pFile->m_strFileName.IsEmpty());
        e->Delete();
    }
    try {
        AfxThrowOleException(E_FAIL);
    } catch (COleException* e) {
        EXPECT_EQ(e->m_sc, E_FAIL);
        e->Delete();
    }
}

TEST(OleDateTimeTest, ConvertsSystemTimes) {
    SYSTEMTIME st = {2024, 1, 2, 2, 12, 0, 0, 0};
    COleDateTime date(st);
    EXPECT_EQ(date.m_dt, 45293.5);
    SYSTEMTIME back = {};
    ASSERT_TRUE(date.GetAsSystemTime(back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wHour, 12);

    SYSTEMTIME bad = {2024, 13, 0, 40, 0, 0, 0, 0};
    EXPECT_EQ(COleDateTime(bad).GetStatus(), COleDateTime::invalid);
    EXPECT_FALSE(COleDateTime(bad).GetAsSystemTime(back));
}

TEST(OleDateTimeTest, ComparesInstantsAcross1899) {
    // -1.25 is 29 December 1899 06:00, later than -1.0 (00:00 that day) although it is smaller.
    EXPECT_GT(COleDateTime(-1.25), COleDateTime(-1.0));
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(0.0));
    EXPECT_DOUBLE_EQ((COleDateTime(-1.25) - COleDateTime(-1.0)).GetTotalDays(), 0.25);
    EXPECT_EQ((COleDateTime(-1.0) + COleDateTimeSpan(0.25)).m_dt, -1.25);
    EXPECT_EQ((COleDateTime(45293.5) - COleDateTimeSpan(1.5)).m_dt, 45292.0);
}

TEST(OleDateTimeTest, ParsesDateAndTime) {
    COleDateTime date;
    ASSERT_TRUE(date.ParseDateTime(L"2024-01-02 12:00:00", 0, LANG_USER_DEFAULT));
    EXPECT_EQ(date.m_dt, 45293.5);
    EXPECT_FALSE(date.ParseDateTime(L"no date here"));
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
}

TEST(SingleLockTest, UnlocksWhenLeavingTheScope) {
    CCriticalSection section;
    auto heldElsewhere = [&] {
        bool held = false;
        std::thread other([&] {
            held = !::TryEnterCriticalSection(section);
            if (!held)
                ::LeaveCriticalSection(section);
        });
        other.join();
        return held;
    };
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_TRUE(heldElsewhere());
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_FALSE(heldElsewhere());
        EXPECT_TRUE(lock.Lock());
    }
    EXPECT_FALSE(heldElsewhere());
}

struct CCounted : CNoTrackObject {
    CCounted() { ++s_nLive; }
    ~CCounted() override { --s_nLive; }
    int m_value = 0;
    static std::atomic<int> s_nLive;
};
std::atomic<int> CCounted::s_nLive{0};

TEST(ThreadLocalTest, EachThreadGetsItsOwnObjectDeletedAtExit) {
    {
        CThreadLocal<CCounted> local;
        local->m_value = 1;
        EXPECT_EQ(local.GetData(), local.GetData());
        int otherValue = -1;
        std::thread other([&] {
            otherValue = local->m_value;
            local->m_value = 2;
        });
        other.join();
        EXPECT_EQ(otherValue, 0);
        EXPECT_EQ(local->m_value, 1);
        EXPECT_EQ(CCounted::s_nLive, 1);  // the other thread's object went with its thread
    }
    EXPECT_EQ(CCounted::s_nLive, 0);
}

TEST(ThreadLocalTest, ProcessLocalIsBuiltOnceOnFirstUse) {
    CProcessLocal<CCounted> global;
    int nBefore = CCounted::s_nLive;
    CCounted* pFromOther = nullptr;
    std::thread other([&] { pFromOther = global.GetData(); });
    other.join();
    EXPECT_EQ(global.GetData(), pFromOther);
    EXPECT_EQ(CCounted::s_nLive, nBefore + 1);
}

}  // namespace
