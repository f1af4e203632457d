/* QsSimControl.h - the control entry of the simulated driver.
 *
 * Not part of the driver interface: the service never calls it, and a vendor's qskern.dll does
 * not have it. Tests call it in process; the same commands arrive on the loopback control port
 * (README.md, "Control commands").
 */
#ifndef QSSIMCONTROL_H
#define QSSIMCONTROL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef QSKERN_BUILD
#define QSSIMAPI WINAPI
#else
#define QSSIMAPI __declspec(dllimport) WINAPI
#endif

/* Runs one command line and copies its reply ("OK ..." or "ERR ...", lines ending in "\n") into
   reply, cut to replyBytes - 1 characters and always terminated. Answers the full reply's length,
   so a caller can retry with a larger buffer. Commands that raise events return once the events
   have reached the event callback (except when called from inside a callback). */
int QSSIMAPI QsSim_Command(const char* command, char* reply, int replyBytes);

#ifdef __cplusplus
}
#endif

#endif /* QSSIMCONTROL_H */
