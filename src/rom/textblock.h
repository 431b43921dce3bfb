#pragma once

#include "document/league.h"
#include "rom/imagewrites.h"
#include "rom/romimage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// A block of texts or records that an export lays out contiguously from `start`, remembering
// the file offset where each entry begins. The block is built in memory first so that its size
// can be checked against the room the image has before anything is written.
class TextBlock {
public:
    explicit TextBlock(std::size_t start) : start_(start) {}

    // Records a new entry at the current position and appends its bytes.
    void addEntry(std::string_view bytes) {
        entries_.push_back(position());
        bytes_.append(bytes);
    }
    // Records an entry at the current position without appending anything.
    void markEntry() { entries_.push_back(position()); }
    // Appends bytes that belong to no entry of their own.
    void append(std::string_view bytes) { bytes_.append(bytes); }

    std::size_t start() const { return start_; }
    std::size_t position() const { return start_ + bytes_.size(); }
    const std::vector<std::size_t>& entries() const { return entries_; }
    const std::string& bytes() const { return bytes_; }

    // Raises ExportRefused when the block would end after `limit`.
    void requireEndsBy(std::size_t limit, std::string_view what) const;
    void writeTo(ImageWrites& writes, std::string_view what) const {
        writes.put(start_, bytes_, what);
    }

private:
    std::size_t start_;
    std::string bytes_;
    std::vector<std::size_t> entries_;
};

// Appends the packed name entry of every roster entry of `teams` in the edition's roster order,
// then marks where the last one ends: block.entries() is then the pointer table the game reads.
void addPackedNames(TextBlock& block, const std::vector<TeamRecord>& teams, Edition edition);

// How a pointer table stores an entry: value = file offset + base, in a byte order and width,
// and no larger than `maxValue`.
struct PointerFormat {
    enum Order { LittleEndian16, BigEndian16, BigEndian32 };
    Order order;
    std::int64_t base;
    std::uint32_t maxValue;
};

// The file offset that the 16-bit little-endian pointer at `entry` leads to, by Pointer_To_Offset
// with the table's base. Raises RomError when the entry lies outside the image.
std::size_t pointerTarget(const RomImage& image, std::size_t entry, std::int32_t base);
// The furthest offset that any of the `count` 16-bit little-endian pointers from `table` leads to.
std::size_t furthestTarget(const RomImage& image, std::size_t table, int count, std::int32_t base);

// Writes one pointer per offset from `table` on. Raises ExportRefused when an offset cannot be
// expressed in the format.
void writePointerTable(ImageWrites& writes, std::size_t table,
                       const std::vector<std::size_t>& offsets, const PointerFormat& format,
                       std::string_view what);

// "0x3010": offsets in messages are given the way the layouts are written.
std::string hexOffset(std::size_t offset);

} // namespace kvx
