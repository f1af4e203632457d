#include "storage/OleDate.h"

#include <oleauto.h>

double ToOleDate(const SYSTEMTIME& time) {
    SYSTEMTIME copy = time;
    double date = 0.0;
    return SystemTimeToVariantTime(&copy, &date) ? date : 0.0;
}

SYSTEMTIME FromOleDate(double date) {
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time))
        time = SYSTEMTIME{};
    return time;
}
