// Library.cpp - the library's entry points: loading, and the control entry QsSim_Command.
#include "QsSimControl.h"
#include "Simulator.h"

#include <algorithm>
#include <cstring>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        // The boards must exist before the program's first driver call, so the scenario is read
        // here; the simulator thread starts once the loader lets go. A driver without its thread
        // would deliver nothing: the load fails instead.
        try {
            CSimulator::Instance().Start();
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

extern "C" int QSSIMAPI QsSim_Command(const char* command, char* reply, int replyBytes) {
    std::string text;
    try {
        text = CSimulator::Instance().Command(command ? command : "");
    } catch (...) {
        text = "ERR out of memory\n";
    }
    if (reply && replyBytes > 0) {
        const size_t length = std::min(text.size(), static_cast<size_t>(replyBytes - 1));
        std::memcpy(reply, text.data(), length);
        reply[length] = '\0';
    }
    return static_cast<int>(text.size());
}
