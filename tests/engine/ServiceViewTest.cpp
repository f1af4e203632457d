#include "ServiceView.h"

#include "RecordingServiceView.h"

#include <gtest/gtest.h>

#include <thread>

TEST(ServiceView, NoViewMeansNoMainWindowAndNoOperator) {
    EXPECT_EQ(nullptr, GetServiceView());
    EXPECT_FALSE(MainWindowExists());
    EXPECT_EQ(L"", CurrentOperatorName());

    RecordingServiceView view;
    view.SetOperatorName(L"tovak");
    {
        ScopedServiceView installed(view);
        EXPECT_TRUE(MainWindowExists());
        EXPECT_EQ(&view, GetServiceView());
        EXPECT_EQ(L"tovak", CurrentOperatorName());
    }
    EXPECT_FALSE(MainWindowExists());
}

TEST(ServiceView, RecordingViewKeepsCallsFromOtherThreadsInOrder) {
    RecordingServiceView view;
    ScopedServiceView installed(view);
    std::thread worker([] {
        GetServiceView()->ChannelRowChanged(3, ChannelRowChange::Ringing);
        GetServiceView()->ChannelRowChanged(3, ChannelRowChange::IncomingRecording);
        CallRecord record = {};
        record.Channel = 3;
        record.CallType = kCallIncoming;
        GetServiceView()->CallFiled(record);
    });
    EXPECT_TRUE(view.WaitFor([](const auto& calls) { return calls.size() == 3; }, 5000));
    worker.join();

    std::vector<ChannelRowChange> expected = {ChannelRowChange::Ringing, ChannelRowChange::IncomingRecording};
    EXPECT_EQ(expected, view.RowChanges(3));
    EXPECT_EQ(kCallIncoming, view.Calls().back().Record.CallType);
    EXPECT_FALSE(view.WaitForRow(4, ChannelRowChange::Idle, 10));
}
