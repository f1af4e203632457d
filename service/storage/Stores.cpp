#include "storage/Stores.h"

#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/FtpQueueStore.h"

#include <mutex>
#include <shared_mutex>

namespace {

// Shared by the uses of today's store, held alone by the call writer's moves and transactions.
std::shared_mutex g_todayStoreDayLock;

}  // namespace

AccountStore& ServerAccountStore() {
    static AccountStore store;
    return store;
}

AccountStore& ClientAccountStore() {
    static AccountStore store;
    return store;
}

ContactStore& TheContactStore() {
    static ContactStore store;
    return store;
}

CallRecordStore& TodayCallStore() {
    static CallRecordStore store;
    return store;
}

FtpQueueStore& TheFtpQueueStore() {
    static FtpQueueStore store;
    return store;
}

bool UseTodayCallStore(const SYSTEMTIME& day, const std::function<void(CallRecordStore&)>& work) {
    const std::shared_lock lock(g_todayStoreDayLock);
    CallRecordStore& store = TodayCallStore();
    if (!store.IsOpen() || !store.IsOnDate(day))
        return false;
    work(store);
    return true;
}

void UseTodayCallStoreAlone(const std::function<void(CallRecordStore&)>& work) {
    const std::unique_lock lock(g_todayStoreDayLock);
    work(TodayCallStore());
}
