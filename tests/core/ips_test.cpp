#include "base/error.h"
#include "rom/ips.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::randomBytes;
using test::randomise;

// A reader of IPS written from the format's description, apart from the program's: it keeps the
// records it finds, so that the tests can look at how the patch says what it says.
struct Record {
    std::size_t offset;
    std::size_t length;
    bool run;
};

struct Decoded {
    Bytes image;
    std::vector<Record> records;
};

std::size_t be(const Bytes& patch, std::size_t at, int bytes) {
    std::size_t value = 0;
    for (int n = 0; n < bytes; ++n)
        value = value * 256 + patch.at(at + static_cast<std::size_t>(n));
    return value;
}

Decoded decodeIps(Bytes image, const Bytes& patch) {
    EXPECT_EQ(std::string(patch.begin(), patch.begin() + 5), "PATCH");
    Decoded decoded;
    std::size_t at = 5;
    while (std::string(patch.begin() + static_cast<long>(at),
                       patch.begin() + static_cast<long>(at) + 3) != "EOF") {
        Record record{be(patch, at, 3), be(patch, at + 3, 2), false};
        at += 5;
        if (record.length == 0) {
            record = {record.offset, be(patch, at, 2), true};
            if (image.size() < record.offset + record.length)
                image.resize(record.offset + record.length);
            for (std::size_t n = 0; n < record.length; ++n)
                image[record.offset + n] = patch.at(at + 2);
            at += 3;
        } else {
            if (image.size() < record.offset + record.length)
                image.resize(record.offset + record.length);
            for (std::size_t n = 0; n < record.length; ++n)
                image[record.offset + n] = patch.at(at + n);
            at += record.length;
        }
        decoded.records.push_back(record);
    }
    at += 3;
    if (at + 3 == patch.size())
        image.resize(be(patch, at, 3));
    else
        EXPECT_EQ(at, patch.size()) << "bytes after the end marker";
    decoded.image = std::move(image);
    return decoded;
}

constexpr std::size_t EofOffset = 0x454F46;

struct Case {
    const char* name;
    std::size_t size;
    std::function<Bytes(Bytes)> change;
    std::size_t expectedPatchSize; // 0: not checked
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"unchanged", 4096, [](Bytes b) { return b; }, 8},
        {"one byte", 4096,
         [](Bytes b) {
             ++b[100];
             return b;
         },
         5 + 5 + 1 + 3},
        {"two changes four apart share a record", 4096,
         [](Bytes b) {
             ++b[100];
             ++b[104];
             return b;
         },
         5 + 5 + 5 + 3},
        {"two changes far apart take two records", 4096,
         [](Bytes b) {
             ++b[100];
             ++b[110];
             return b;
         },
         5 + 2 * 6 + 3},
        {"a long run of one value", 0x30000,
         [](Bytes b) {
             std::fill(b.begin() + 0x100, b.begin() + 0x28000, 0xAA);
             return b;
         },
         5 + 3 * 8 + 3},
        {"a run inside changed bytes", 4096,
         [](Bytes b) {
             randomise(b, 200, 10, 1);
             std::fill(b.begin() + 210, b.begin() + 240, 0);
             randomise(b, 240, 10, 2);
             return b;
         },
         5 + 15 + 8 + 15 + 3},
        {"changes over more than one record's length", 0x30000,
         [](Bytes b) {
             randomise(b, 5, 0x21000, 3);
             return b;
         },
         0},
        {"scattered changes", 0x20000,
         [](Bytes b) {
             for (std::size_t at = 17; at < b.size(); at += 997)
                 randomise(b, at, 1 + at % 40, static_cast<std::uint32_t>(at));
             return b;
         },
         0},
        {"the last byte", 4096,
         [](Bytes b) {
             ++b.back();
             return b;
         },
         14},
        {"a lengthened image", 4096,
         [](Bytes b) {
             b.resize(6000, 0x11);
             b[5000] = 0;
             return b;
         },
         0},
        {"a shortened image", 4096,
         [](Bytes b) {
             b.resize(3000);
             ++b[5];
             return b;
         },
         5 + 6 + 3 + 3},
        {"everything gone", 4096, [](Bytes) { return Bytes{}; }, 11},
        {"one byte at the end marker's offset", 0x460000,
         [](Bytes b) {
             ++b[EofOffset];
             return b;
         },
         5 + 5 + 2 + 3},
        {"a run from the end marker's offset", 0x460000,
         [](Bytes b) {
             std::fill(b.begin() + EofOffset, b.begin() + EofOffset + 100, 7);
             return b;
         },
         0},
        {"a run split exactly at the end marker's offset", 0x460000,
         [](Bytes b) {
             std::fill(b.begin() + EofOffset - 0xFFFF, b.begin() + EofOffset + 50, 7);
             return b;
         },
         0},
        {"a record split exactly at the end marker's offset", 0x460000,
         [](Bytes b) {
             randomise(b, EofOffset - 0xFFFF, 0xFFFF + 20, 4);
             return b;
         },
         0},
    };
    return all;
}

TEST(Ips, PatchesApplyToTheirTargetInBothDecodersAndStaySmall) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const Bytes original = randomBytes(c.size, 26);
        const Bytes patched = c.change(original);
        const Bytes patch = makeIpsPatch(original, patched);
        if (c.expectedPatchSize != 0) {
            EXPECT_EQ(patch.size(), c.expectedPatchSize);
        }

        const Decoded decoded = decodeIps(original, patch);
        EXPECT_TRUE(decoded.image == patched);
        for (const Record& record : decoded.records)
            EXPECT_NE(record.offset, EofOffset);

        const FileBytes applied = applyIpsPatch(original, patch);
        EXPECT_TRUE(std::equal(applied.begin(), applied.end(), patched.begin(), patched.end()));
    }
}

TEST(Ips, ImagesOver16MiBAreRefused) {
    const Bytes large(17 * 1024 * 1024, 0);
    const Bytes small(1024, 0);
    for (const auto& [original, patched] :
         {std::pair{&large, &large}, std::pair{&small, &large}, std::pair{&large, &small}}) {
        try {
            makeIpsPatch(*original, *patched);
            ADD_FAILURE() << "a patch was made";
        } catch (const PatchError& error) {
            EXPECT_NE(std::string(error.what()).find("16 MiB"), std::string::npos) << error.what();
        }
    }
}

TEST(Ips, RecordsPastTheEndLengthenTheImageWithZeros) {
    const Bytes image = {1, 2, 3};
    const Bytes patch = {'P', 'A', 'T', 'C', 'H', 0, 0, 6, 0, 2, 9, 9, 'E', 'O', 'F'};
    const FileBytes applied = applyIpsPatch(image, patch);
    EXPECT_EQ(Bytes(applied.begin(), applied.end()), (Bytes{1, 2, 3, 0, 0, 0, 9, 9}));
}

TEST(Ips, DamagedPatchesAreRefusedWithAMessage) {
    const Bytes image(64, 0x55);
    const std::vector<std::pair<const char*, Bytes>> patches = {
        {"not a patch", {'P', 'A', 'T', 'C', 'X', 'E', 'O', 'F'}},
        {"empty", {}},
        {"no end marker", {'P', 'A', 'T', 'C', 'H'}},
        {"cut in a record's header", {'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0}},
        {"cut in a record's data", {'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 4, 1, 2}},
        {"cut in a run record", {'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 0, 0, 9}},
        {"record and no end marker", {'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 1, 7}},
        {"bytes after the end marker", {'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F', 1}},
        {"shortened to more than it has", {'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F', 0, 1, 0}},
        {"lengthened past 16 MiB",
         {'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xFF, 0, 0, 0, 2, 1, 'E', 'O', 'F'}},
    };
    for (const auto& [name, patch] : patches) {
        SCOPED_TRACE(name);
        try {
            applyIpsPatch(image, patch);
            ADD_FAILURE() << "the patch was applied";
        } catch (const PatchError& error) {
            EXPECT_GT(std::string(error.what()).size(), 20u);
        }
    }
}

} // namespace
} // namespace kvx
