#include "base/error.h"
#include "rom/bps.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::randomBytes;
using test::randomise;

// A BPS reader and writer of numbers written from the format's description, apart from the
// program's, with a CRC-32 of their own a bit at a time.
std::uint32_t testCrc(const Bytes& bytes, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t n = 0; n < length; ++n) {
        crc ^= bytes[n];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::uint32_t testCrc(const Bytes& bytes) {
    return testCrc(bytes, bytes.size());
}

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

struct Decoded {
    Bytes target;
    std::array<int, 4> actions{}; // how many of each kind
};

Decoded decodeBps(const Bytes& source, const Bytes& patch) {
    std::size_t at = 0;
    const auto number = [&] {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (;;) {
            const std::uint8_t byte = patch.at(at++);
            value += (byte & 0x7F) * shift;
            if (byte & 0x80)
                return value;
            shift <<= 7;
            value += shift;
        }
    };
    const auto u32 = [&](std::size_t from) {
        return std::uint32_t{patch.at(from)} | std::uint32_t{patch.at(from + 1)} << 8 |
               std::uint32_t{patch.at(from + 2)} << 16 | std::uint32_t{patch.at(from + 3)} << 24;
    };
    EXPECT_EQ(std::string(patch.begin(), patch.begin() + 4), "BPS1");
    at = 4;
    EXPECT_EQ(number(), source.size());
    Decoded decoded;
    decoded.target.resize(number());
    EXPECT_EQ(number(), 0u) << "metadata";
    const std::size_t end = patch.size() - 12;
    std::size_t out = 0;
    std::int64_t sourceOffset = 0;
    std::int64_t targetOffset = 0;
    while (at < end) {
        const std::uint64_t code = number();
        const std::size_t length = (code >> 2) + 1;
        ++decoded.actions[code & 3];
        for (std::size_t n = 0; n < length; ++n, ++out) {
            if (n == 0 && (code & 3) >= 2) {
                const std::uint64_t move = number();
                const auto distance = static_cast<std::int64_t>(move >> 1);
                ((code & 3) == 2 ? sourceOffset : targetOffset) +=
                    (move & 1) ? -distance : distance;
            }
            switch (code & 3) {
            case 0:
                decoded.target.at(out) = source.at(out);
                break;
            case 1:
                decoded.target.at(out) = patch.at(at++);
                break;
            case 2:
                decoded.target.at(out) = source.at(static_cast<std::size_t>(sourceOffset++));
                break;
            case 3:
                decoded.target.at(out) =
                    decoded.target.at(static_cast<std::size_t>(targetOffset++));
                break;
            }
        }
    }
    EXPECT_EQ(at, end);
    EXPECT_EQ(out, decoded.target.size());
    EXPECT_EQ(u32(end), testCrc(source));
    EXPECT_EQ(u32(end + 4), testCrc(decoded.target));
    EXPECT_EQ(u32(end + 8), testCrc(patch, end + 8));
    return decoded;
}

// A patch of the given body (sizes, metadata, actions) with its three CRC-32s made here.
Bytes handMadePatch(const Bytes& source, const Bytes& target, const Bytes& body) {
    Bytes patch = {'B', 'P', 'S', '1'};
    patch.insert(patch.end(), body.begin(), body.end());
    const auto put = [&](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            patch.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    put(testCrc(source));
    put(testCrc(target));
    put(testCrc(patch));
    return patch;
}

// Records of 96 bytes from 0x1000 on, shuffled, as a whole new league moves players between
// teams; a few of them also get new bytes.
Bytes shuffledRecords(Bytes b) {
    constexpr std::size_t Record = 96;
    constexpr std::size_t Count = 900;
    std::vector<std::size_t> order(Count);
    for (std::size_t n = 0; n < Count; ++n)
        order[n] = n;
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    const Bytes before = b;
    for (std::size_t n = 0; n < Count; ++n)
        std::copy_n(before.begin() + static_cast<long>(0x1000 + order[n] * Record), Record,
                    b.begin() + static_cast<long>(0x1000 + n * Record));
    for (std::size_t n = 0; n < Count; n += 50)
        randomise(b, 0x1000 + n * Record + 10, 12, static_cast<std::uint32_t>(n));
    return b;
}

struct Case {
    const char* name;
    std::size_t size;
    std::function<Bytes(Bytes)> change;
    std::size_t maxPatchSize;
    std::array<bool, 4> uses; // the actions the patch must use
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"unchanged", 0x10000, [](Bytes b) { return b; }, 4 + 3 + 3 + 1 + 3 + 12, {true}},
        {"scattered changes",
         0x40000,
         [](Bytes b) {
             for (std::size_t at = 100; at < b.size(); at += 0x4000)
                 randomise(b, at, 8, static_cast<std::uint32_t>(at));
             return b;
         },
         30 + 16 * 12,
         {true, true}},
        {"shuffled records", 0x40000, shuffledRecords, 900 * 96 / 8, {true, true, true}},
        {"a filled stretch",
         0x10000,
         [](Bytes b) {
             std::fill(b.begin() + 0x100, b.begin() + 0x3000, 0);
             return b;
         },
         40,
         {true, true, false, true}},
        {"a lengthened image",
         0x1000,
         [](Bytes b) {
             const Bytes copy(b.begin(), b.begin() + 0x800);
             b.insert(b.end(), copy.begin(), copy.end());
             return b;
         },
         40,
         {true, false, true}},
        {"a shortened image",
         0x1000,
         [](Bytes b) {
             b.resize(0x700);
             return b;
         },
         40,
         {true}},
        {"from nothing", 0, [](Bytes) { return randomBytes(100, 3); }, 140, {false, true}},
        {"to nothing", 0x100, [](Bytes) { return Bytes{}; }, 20, {}},
        {"a short image",
         5,
         [](Bytes b) {
             ++b[2];
             return b;
         },
         26,
         {false, true}},
    };
    return all;
}

TEST(Bps, PatchesApplyToTheirTargetInBothDecodersAndStaySmall) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const Bytes source = randomBytes(c.size, 26);
        const Bytes target = c.change(source);
        const Bytes patch = makeBpsPatch(source, target);
        EXPECT_LE(patch.size(), c.maxPatchSize);

        const Decoded decoded = decodeBps(source, patch);
        EXPECT_TRUE(decoded.target == target);
        for (std::size_t action = 0; action < 4; ++action)
            if (c.uses[action]) {
                EXPECT_GT(decoded.actions[action], 0) << "action " << action;
            }

        const FileBytes applied = applyBpsPatch(source, patch);
        EXPECT_TRUE(std::equal(applied.begin(), applied.end(), target.begin(), target.end()));
    }
}

TEST(Bps, AnotherImageIsRefusedNamingBothCrcs) {
    const Bytes source = randomBytes(0x8000, 1);
    Bytes target = source;
    target[9] ^= 1;
    const Bytes patch = makeBpsPatch(source, target);
    for (Bytes other : {randomBytes(0x8000, 2), Bytes(source.begin(), source.end() - 1)}) {
        try {
            applyBpsPatch(other, patch);
            ADD_FAILURE() << "the patch was applied";
        } catch (const PatchError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(hex(testCrc(source))), std::string::npos) << message;
            EXPECT_NE(message.find(hex(testCrc(other))), std::string::npos) << message;
        }
    }
}

TEST(Bps, AppliesEveryActionAsTheFormatDescribes) {
    const Bytes source = {10, 11, 12, 13, 14, 15, 16, 17};
    const Bytes target = {10, 11, 90, 91, 92, 15, 16, 17, 11, 12, 11, 12, 11, 12, 90, 91};
    const Bytes body = {
        0x88, 0x90, 0x80,     // 8 bytes to 16, no metadata
        0x84,                 // SourceRead 2
        0x89, 90,   91,   92, // TargetRead 3
        0x8A, 0x8A,           // SourceCopy 3 from 0 + 5
        0x86, 0x8F,           // SourceCopy 2 from 8 - 7
        0x8F, 0x90,           // TargetCopy 4 from 0 + 8, overlapping what it writes
        0x87, 0x95,           // TargetCopy 2 from 12 - 10
    };
    const Bytes patch = handMadePatch(source, target, body);
    ASSERT_TRUE(decodeBps(source, patch).target == target) << "the test's own patch";
    const FileBytes applied = applyBpsPatch(source, patch);
    EXPECT_TRUE(std::equal(applied.begin(), applied.end(), target.begin(), target.end()));
}

TEST(Bps, DamagedPatchesAreRefusedWithAMessage) {
    const Bytes source = {10, 11, 12, 13};
    const Bytes target = {10, 11, 12, 13};
    const Bytes good = makeBpsPatch(source, target);
    Bytes flipped = good;
    flipped[5] ^= 0x40;
    const std::vector<std::pair<const char*, Bytes>> patches = {
        {"not a patch", {'B', 'P', 'S', '2', 0x84, 0x84, 0x80}},
        {"too short", {'B', 'P', 'S', '1', 0x84}},
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"a byte changed", flipped},
        // With correct CRC-32s, so that only the actions are wrong:
        {"a source read past the source",
         handMadePatch(source, {1, 2, 3, 4, 5}, {0x84, 0x85, 0x80, 0x90})},
        {"a source copy before the source",
         handMadePatch(source, target, {0x84, 0x84, 0x80, 0x8A, 0x83})},
        {"a source copy past the source",
         handMadePatch(source, target, {0x84, 0x84, 0x80, 0x8A, 0x84})},
        {"a target copy of nothing written",
         handMadePatch(source, target, {0x84, 0x84, 0x80, 0x8F, 0x80})},
        {"actions past the target", handMadePatch(source, target, {0x84, 0x84, 0x80, 0x90})},
        {"actions short of the target", handMadePatch(source, target, {0x84, 0x84, 0x80, 0x88})},
        {"a target larger than any image",
         handMadePatch(source, target, {0x84, 0x7F, 0x7F, 0x7F, 0x88, 0x80})},
        {"a number without end",
         handMadePatch(source, target, {0x84, 0x84, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"metadata past the end", handMadePatch(source, target, {0x84, 0x84, 0x90})},
        {"a result with another CRC",
         handMadePatch(source, {1, 2, 3, 4}, {0x84, 0x84, 0x80, 0x8C})},
    };
    for (const auto& [name, patch] : patches) {
        SCOPED_TRACE(name);
        try {
            applyBpsPatch(source, patch);
            ADD_FAILURE() << "the patch was applied";
        } catch (const PatchError& error) {
            EXPECT_GT(std::string(error.what()).size(), 20u);
        }
    }
}

} // namespace
} // namespace kvx
