// TesselonServer.exe: the recording server with its window. The layer's wWinMain runs the application object.
#include "frame/TesselonServerApp.h"

CTesselonServerApp theApp;
