// The quick-access toolbar on the test host.

#include "RibbonHost.h"

#include <gtest/gtest.h>

namespace {}  // namespace
