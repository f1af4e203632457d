#pragma once
// Starting the voice boards. Called once, by ChannelConfigThread.

// Starts the boards with the driver configuration of the program folder (qscfg.ini and prompt.ini). When both of
// the driver's start calls fail, the configuration is kept as qscfg.ini.bak, the board-information library writes
// fresh default files and the start is tried once more. On success sets the counts of CardEngineState (which lets
// the engine threads scan the channels), appends one CardInfor.txt line per board, shows and applies each PCM
// link's status, registers DriverEventCallback and answers 1. When every attempt failed it answers 0 and leaves
// the counts at 0, so the engine runs over no channel.
int StartBoards();
