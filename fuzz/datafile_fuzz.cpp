// The data file (.kvx): whatever parses re-serialises to exactly the bytes it was read from (the
// reader ignores what follows the general information), and those bytes parse again to the same
// document.

#include "check.h"

#include "document/datafile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

bool sameContent(const kvx::League& a, const kvx::League& b) {
    return a.TeamCount == b.TeamCount && a.Teams == b.Teams && a.GeneralInfo == b.GeneralInfo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvx;
    const std::span<const std::uint8_t> input(data, size);
    const auto content = parseDataFile(input);
    if (!content)
        return 0;

    const std::vector<std::uint8_t> bytes = serializeDataFile(*content);
    fuzz::check(bytes.size() <= size && std::equal(bytes.begin(), bytes.end(), data),
                "a parsed data file does not serialise to the bytes it was read from");

    const auto again = parseDataFile(bytes);
    fuzz::check(again.has_value(), "a serialised data file does not parse");
    fuzz::check(sameContent(*content, *again), "a serialised data file parses to another document");
    return 0;
}
