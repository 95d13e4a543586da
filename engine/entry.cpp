// The library's only exported symbol: ITARNEL, also reachable as _ITARNEL.
#include <exception>
#include <iostream>
#include <mutex>

#include "result_codes.h"
#include "run.h"

#define ENGINE_EXPORT __attribute__((visibility("default")))

namespace {
// All run state lives in the call; the lock keeps two callers' files apart.
std::mutex runLock;
} // namespace

extern "C" ENGINE_EXPORT int ITARNEL(int code) noexcept
{
    if (code != 15)
        return engine::kWrongCode;
    try {
        const std::lock_guard<std::mutex> hold(runLock);
        // Inside the desktop program there is no console: the echo is dropped, but the
        // fallback's questions and start-up failures still reach a terminal if there is one.
        engine::Console console{nullptr, &std::cout, &std::cin, &std::cerr};
        return engine::runFromHandOff(console);
    } catch (const std::exception &error) {
        std::cerr << "tarnel: internal error: " << error.what() << '\n';
        return engine::kInternalError;
    } catch (...) {
        std::cerr << "tarnel: internal error\n";
        return engine::kInternalError;
    }
}

extern "C" ENGINE_EXPORT int _ITARNEL(int code) noexcept __attribute__((alias("ITARNEL")));
