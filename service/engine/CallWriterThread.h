#pragma once
// What CallWriterThread (EngineThreads.h) uses besides the finished-call queue and the stores: the process's MP3
// encoder binding. The main window resets and binds it when it is created and frees its library when it is
// destroyed; in between only CallWriterThread uses it, so it has no lock.

#include "engine/Mp3Conversion.h"

Mp3EncoderState& CallWriterEncoder();
