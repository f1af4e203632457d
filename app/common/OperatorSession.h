#pragma once
// The operator at the server's own screen: whether one is logged in, and the account of the operator who logged in
// last. UI-thread state: the login dialog and the login and logout commands write it; command updates, the panes'
// rights checks and the window side's service view read it. The service's threads reach the operator's name only
// through that view, whose calls run on the UI thread.

#include "records/StorageRecords.h"

// Non-zero while an operator is logged in: set from the login dialog's result (IDOK) by the login timer and the
// login command, cleared by the logout command. The exit command and the pane commands are enabled only while it
// is set.
extern int OperatorLoggedIn;

// The account of the operator who logged in last, all zero before the first login. The login dialog sets it when
// a login succeeds; logout leaves it, so the rows written later (the program-exit row) still name that operator.
extern AccountRecord CurrentOperator;
