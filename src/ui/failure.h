#pragma once

#include <exception>
#include <string>

namespace kvx {

// What a user reads when something ended a command: the core's own message for its errors, a
// plain sentence for running out of memory, and the bare reason for anything else.
std::string describeFailure(const std::exception& error);

} // namespace kvx
