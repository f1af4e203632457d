#include "HeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
