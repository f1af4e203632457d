#include "Stores.h"

#include "AccountStore.h"
#include "CallRecordStore.h"
#include "ContactStore.h"
#include "FtpQueueStore.h"

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
