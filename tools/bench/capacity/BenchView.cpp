#include "BenchView.h"

#include "BenchClock.h"

void CBenchView::CallFiled(const CallRecord& record) {
    if (record.Channel < 0 || record.Channel >= kMaxChannels)
        return;
    m_filedMs[record.Channel] = NowMs();
    ++m_filedCount;
}
