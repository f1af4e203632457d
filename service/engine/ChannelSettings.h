#pragma once
// A channel's settings from section ChannelParam of the settings file ("Channel%03d" + key, channel + 1), as the
// engine reads them at start-up: out-of-range values are replaced in the record, never in the file, and texts are
// cut to their fields. A missing key gives record mode 0, pick-up voltage 20 V, 3 rings and 30 s for auto-answer,
// hook-on 800 ms, hook-off 100 ms, and 0 or empty for everything else. Any thread.

struct ChannelRecord;

void LoadChannelSettings(ChannelRecord& record, int channel);
