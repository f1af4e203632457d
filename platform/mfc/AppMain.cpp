// The program's entry point. A program built on the layer links with -municode (and -mwindows), so the
// runtime calls wWinMain, which this file alone defines; test programs keep their own main and never
// pull this file in.

#include "WinApp.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
