// DriverCall.h - how every exported driver function runs.
#pragma once

#include "Simulator.h"

#include <string>

// printf-style formatting of a journal entry's arguments.
std::string FormatArguments(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A text argument as the journal shows it: quoted, or null.
std::string QuoteText(const char* text);
// An output buffer as the journal shows it: quoted when the call filled it, else "?".
std::string QuoteOutput(const char* text, int result);

// The describer of a function without arguments.
inline const auto kNoArguments = [](int) { return std::string(); };
// The describer of a function whose one argument is a number (channel, circuit, board or trunk).
inline auto NumberArgument(int number) {
    return [number](int) { return FormatArguments("%d", number); };
}
// The describer of a function that fills the text buffer `output` for the channel or circuit `number`.
inline auto NumberAndOutput(int number, const char* output) {
    return [number, output](int result) { return FormatArguments("%d, ", number) + QuoteOutput(output, result); };
}

// Runs `body` on the simulator unless a failure was injected for `function` (the answer is then
// QSD_ERR and the model is untouched), then journals the call: `describe(result)` formats the
// arguments afterwards, so output buffers show what they received. No exception reaches the
// program: running out of memory answers QSD_ERR.
template <class Body, class Describe>
int DriverCall(const char* function, Body body, Describe describe) {
    try {
        CSimulator& simulator = CSimulator::Instance();
        const int result = simulator.TakeInjectedFailure(function) ? QSD_ERR : body(simulator);
        simulator.Journal().Add(function, describe(result), result);
        return result;
    } catch (...) {
        return QSD_ERR;
    }
}
