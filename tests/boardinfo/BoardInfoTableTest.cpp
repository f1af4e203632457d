// The table of boards found: enumeration, indices and the getters' bounds.
#include "Brenholt.h"
#include "FakeBoards.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string SerialOf(int board) {
    char text[32] = "unchanged";
    return QsPciGetBoardSerialNo(board, text) == 0 ? text : "-1";
}

int TypeOf(int board) {
    int type = -12345;
    return QsPciGetBoardType(board, &type) == 0 ? type : -1;
}

}  // namespace

TEST(BoardInfoTable, NoDevicesGiveAnEmptyTable) {
    CFakeBoards fake;
    EXPECT_EQ(QsPciLoadBoardInfo(), 0);
    EXPECT_EQ(QsPciGetTotalBoard(), 0);
    EXPECT_EQ(TypeOf(0), -1);
    EXPECT_EQ(SerialOf(0), "-1");
}

TEST(BoardInfoTable, IndicesCountTheBoardsFoundNotTheDeviceNumbers) {
    CFakeBoards fake;
    fake.boards[0] = {15, 1234};
    fake.boards[2] = {293, 98765};
    fake.boards[19] = {402, 7};

    ASSERT_EQ(QsPciLoadBoardInfo(), 0);
    EXPECT_EQ(QsPciGetTotalBoard(), 3);
    EXPECT_EQ(TypeOf(0), 15);
    EXPECT_EQ(TypeOf(1), 293);
    EXPECT_EQ(TypeOf(2), 402);
    EXPECT_EQ(SerialOf(0), "1234");
    EXPECT_EQ(SerialOf(1), "98765");
    EXPECT_EQ(SerialOf(2), "7");
    EXPECT_TRUE(fake.open.empty());
}

TEST(BoardInfoTable, GettersRefuseBoardsOutsideTheTableAndNullBuffers) {
    CFakeBoards fake;
    fake.boards[0] = {15, 11};
    fake.boards[2] = {16, 22};
    ASSERT_EQ(QsPciLoadBoardInfo(), 0);

    for (int board : {2, 3, -1, 1000}) {
        SCOPED_TRACE(board);
        int type = -12345;
        char text[32] = "unchanged";
        EXPECT_EQ(QsPciGetBoardType(board, &type), -1);
        EXPECT_EQ(type, -12345);
        EXPECT_EQ(QsPciGetBoardSerialNo(board, text), -1);
        EXPECT_STREQ(text, "unchanged");
    }
    EXPECT_EQ(QsPciGetBoardType(1, nullptr), -1);
    EXPECT_EQ(QsPciGetBoardSerialNo(1, nullptr), -1);
    EXPECT_EQ(TypeOf(1), 16);
}

TEST(BoardInfoTable, ReloadingReplacesTheTable) {
    CFakeBoards fake;
    fake.boards[0] = {15, 11};
    fake.boards[1] = {16, 22};
    ASSERT_EQ(QsPciLoadBoardInfo(), 0);
    ASSERT_EQ(QsPciGetTotalBoard(), 2);

    fake.boards.erase(0);
    ASSERT_EQ(QsPciLoadBoardInfo(), 0);
    EXPECT_EQ(QsPciGetTotalBoard(), 1);
    EXPECT_EQ(TypeOf(0), 16);
    EXPECT_EQ(SerialOf(0), "22");
    EXPECT_EQ(TypeOf(1), -1);
}

TEST(BoardInfoTable, FailedTypeRequestEndsTheEnumerationAndClosesTheDevice) {
    CFakeBoards fake;
    fake.boards[0] = {15, 11};
    fake.boards[1] = {16, 22, /*typeFails*/ true};
    fake.boards[2] = {32, 33};

    EXPECT_EQ(QsPciLoadBoardInfo(), -1);
    EXPECT_EQ(QsPciGetTotalBoard(), 1);
    EXPECT_EQ(TypeOf(0), 15);
    EXPECT_TRUE(fake.open.empty());

    // The board stays reachable: once it answers, the next enumeration finds it.
    fake.boards[1].typeFails = false;
    EXPECT_EQ(QsPciLoadBoardInfo(), 0);
    EXPECT_EQ(QsPciGetTotalBoard(), 3);
    EXPECT_EQ(TypeOf(1), 16);
}

TEST(BoardInfoTable, UnansweredSerialRequestKeepsTheBoardWithSerialZero) {
    CFakeBoards fake;
    fake.boards[0] = {15, 11};
    fake.boards[1] = {16, 22, false, /*serialFails*/ true};

    ASSERT_EQ(QsPciLoadBoardInfo(), 0);
    EXPECT_EQ(QsPciGetTotalBoard(), 2);
    EXPECT_EQ(TypeOf(1), 16);
    EXPECT_EQ(SerialOf(1), "0");
}
