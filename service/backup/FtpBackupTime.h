#pragma once
// The FTP upload window: when the backup may upload, from section Settings of Server_Settings.ini (FtpBackup,
// FtpAllDay0..6, FtpFromHour, FtpFromMin, FtpToHour, FtpToMin). The settings are read at every call, so a change
// takes effect at the next pass of the upload thread. Any thread.

#include <windows.h>

// True when uploads are allowed at the local time now (its wDayOfWeek, 0 = Sunday, selects the all-day key):
// FtpBackup is 1, and today is an all-day weekday or now lies in the daily window. The window runs from the start
// of the From minute to the end of the To minute; a From hour after the To hour makes it run over midnight,
// leaving out the second 00:00:00 itself. A window value out of range (an absent key among them) gives no window.
bool IsFtpBackupTime(const SYSTEMTIME& now);
