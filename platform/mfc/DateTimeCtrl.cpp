#include "DateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
