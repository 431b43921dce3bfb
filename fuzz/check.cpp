#include "check.h"

#include <cstdio>
#include <cstdlib>

namespace kvx::fuzz {

void fail(const std::string& what) {
    std::fprintf(stderr, "\n*** property failed: %s\n\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string quoted(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out + "\"";
}

} // namespace kvx::fuzz
