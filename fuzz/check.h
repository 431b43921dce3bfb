#pragma once

#include <string>
#include <string_view>

// What the harnesses report when a property does not hold: the message goes to stderr and the
// process aborts, so that libFuzzer keeps the input as a crash and prints how to reproduce it.
namespace kvx::fuzz {

[[noreturn]] void fail(const std::string& what);

inline void check(bool holds, std::string_view what) {
    if (!holds)
        fail(std::string(what));
}

// A byte string as a C literal: printable ASCII as it stands, everything else as \xNN.
std::string quoted(std::string_view bytes);

} // namespace kvx::fuzz
