#pragma once

#include "rom/romimage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Before an export changes a byte, every pointer table the import followed is checked against the
// stretch of the image its entries may lead into. The image's own pointers decide where texts
// begin and how much room they take; these checks only make sure that a damaged entry cannot
// carry the export anywhere else. A table that fails raises RomError, and nothing is written.
namespace kvx {

// Where one kind of league data may lie: [begin, end).
struct Area {
    std::size_t begin;
    std::size_t end;
    std::string_view what; // "the team texts"
};

// The file offsets the entries of a table lead to, in entry order.
using Targets = std::vector<std::size_t>;

// 16-bit little-endian pointers with a base (offset = pointer - base, as Pointer_To_Offset).
Targets littleEndianTargets(const RomImage& image, std::size_t table, int count, std::int32_t base);
// Big-endian 16-bit or 32-bit offsets.
Targets bigEndian16Targets(const RomImage& image, std::size_t table, int count);
Targets bigEndian32Targets(const RomImage& image, std::size_t table, int count);

// [target, target + length) lies inside the area; `pointer` names the entry ("the attribute
// pointer at 0x5F62").
void requireInside(std::size_t target, std::size_t length, const Area& area,
                   const std::string& pointer);
// Every target of `first`..`last` (inclusive) lies inside the area, with `length` bytes after it;
// a target of a table of texts may be the area's end, where it marks the end of the last text.
void requireInside(const Targets& targets, int first, int last, const Area& area,
                   std::string_view pointer, std::size_t length = 0);
// The targets of `first`..`last` never go back.
void requireInOrder(const Targets& targets, int first, int last, std::string_view pointer);
// No two neighbouring targets are more than `longest` bytes apart: a name entry is a number and
// two names, never kilobytes.
void requireEntriesAtMost(const Targets& targets, std::size_t longest, std::string_view pointer);

// Records that follow each other: each target's record, which ends where `recordEnd` says,
// lies inside the area and ends before the next record begins. Targets that repeat the one
// before them share its record.
void requireRecords(const Targets& targets, const Area& area, std::string_view pointer,
                    const std::function<std::size_t(std::size_t)>& recordEnd);

// A table of name entries: inside the area, in order, each entry of a plausible length.
void requireNameTable(const Targets& targets, const Area& area, std::string_view pointer);

// The longest packed name entry an image can hold: the number byte and 255 characters.
inline constexpr std::size_t LongestNameEntry = 256;

} // namespace kvx
