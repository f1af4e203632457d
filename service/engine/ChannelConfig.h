#pragma once
// Configuring the channels at start-up: the work of ChannelConfigThread once the rest of the start-up has had
// its time.

// Starts the boards (StartBoards), reads every channel's settings and schedules, asks the driver for each
// channel's type and state, sets each channel's start-up state from its line voltage, sends the channel settings
// to the driver, reports progress to the view's start-up window, and finally fills the channel pane. After a
// failed board start there are no channels and only the (empty) channel pane is filled. When the engine is
// being stopped it returns after the channel in hand. ChannelConfigThread; tests call it directly.
void ConfigureChannels();
