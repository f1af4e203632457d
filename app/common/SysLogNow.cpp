#include "common/SysLogNow.h"

#include "storage/SysLogStore.h"

void WriteSysLogNow(SysLogRow row) {
    ::GetLocalTime(&row.Time);
    WriteSysLogRow(row);
}
