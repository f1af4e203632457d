#include "common/OperatorSession.h"

int OperatorLoggedIn = 0;
AccountRecord CurrentOperator{};
