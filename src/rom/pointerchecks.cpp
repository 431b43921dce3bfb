#include "rom/pointerchecks.h"

#include "base/error.h"
#include "rom/routines.h"
#include "rom/textblock.h"

#include <string>

namespace kvx {

namespace {

[[noreturn]] void damaged(const std::string& what) {
    throw RomError("The image is damaged: " + what + ". Nothing was written.");
}

std::string entry(std::string_view pointer, int index) {
    return std::string(pointer) + " " + std::to_string(index);
}

} // namespace

Targets littleEndianTargets(const RomImage& image, std::size_t table, int count,
                            std::int32_t base) {
    Targets targets(static_cast<std::size_t>(count));
    for (std::size_t e = 0; e < targets.size(); ++e)
        targets[e] = pointerTarget(image, table + 2 * e, base);
    return targets;
}

Targets bigEndian16Targets(const RomImage& image, std::size_t table, int count) {
    Targets targets(static_cast<std::size_t>(count));
    for (std::size_t e = 0; e < targets.size(); ++e)
        targets[e] = image.u16be(table + 2 * e);
    return targets;
}

Targets bigEndian32Targets(const RomImage& image, std::size_t table, int count) {
    Targets targets(static_cast<std::size_t>(count));
    for (std::size_t e = 0; e < targets.size(); ++e)
        targets[e] = image.u32be(table + 4 * e);
    return targets;
}

void requireInside(std::size_t target, std::size_t length, const Area& area,
                   const std::string& pointer) {
    if (target < area.begin || target > area.end || length > area.end - target)
        damaged(pointer + " points at " + hexOffset(target) + ", outside " +
                std::string(area.what) + " (" + hexOffset(area.begin) + " to " +
                hexOffset(area.end) + ")");
}

void requireInside(const Targets& targets, int first, int last, const Area& area,
                   std::string_view pointer, std::size_t length) {
    for (int e = first; e <= last; ++e)
        requireInside(targets.at(static_cast<std::size_t>(e)), length, area, entry(pointer, e));
}

void requireInOrder(const Targets& targets, int first, int last, std::string_view pointer) {
    for (int e = first + 1; e <= last; ++e) {
        const std::size_t before = targets.at(static_cast<std::size_t>(e - 1));
        const std::size_t target = targets.at(static_cast<std::size_t>(e));
        if (target < before)
            damaged(entry(pointer, e) + " points at " + hexOffset(target) + ", before " +
                    entry(pointer, e - 1) + " (" + hexOffset(before) +
                    "), but the entries run in order");
    }
}

void requireEntriesAtMost(const Targets& targets, std::size_t longest, std::string_view pointer) {
    for (std::size_t e = 1; e < targets.size(); ++e)
        if (targets[e] > targets[e - 1] && targets[e] - targets[e - 1] > longest)
            damaged(entry(pointer, static_cast<int>(e)) + " points at " + hexOffset(targets[e]) +
                    ", " + std::to_string(targets[e] - targets[e - 1]) + " bytes after " +
                    entry(pointer, static_cast<int>(e) - 1) + ", but no entry is longer than " +
                    std::to_string(longest) + " bytes");
}

void requireRecords(const Targets& targets, const Area& area, std::string_view pointer,
                    const std::function<std::size_t(std::size_t)>& recordEnd) {
    const int last = static_cast<int>(targets.size()) - 1;
    requireInside(targets, 0, last, area, pointer);
    requireInOrder(targets, 0, last, pointer);
    for (int e = 0; e <= last; ++e) {
        const std::size_t target = targets[static_cast<std::size_t>(e)];
        if (e > 0 && target == targets[static_cast<std::size_t>(e - 1)])
            continue;
        const std::size_t end = recordEnd(target);
        requireInside(target, end - target, area, entry(pointer, e));
        int next = e + 1;
        while (next <= last && targets[static_cast<std::size_t>(next)] == target)
            ++next;
        if (next <= last && targets[static_cast<std::size_t>(next)] < end)
            damaged("the record of " + entry(pointer, e) + " runs from " + hexOffset(target) +
                    " to " + hexOffset(end) + ", past where " + entry(pointer, next) + " begins (" +
                    hexOffset(targets[static_cast<std::size_t>(next)]) + ")");
    }
}

void requireNameTable(const Targets& targets, const Area& area, std::string_view pointer) {
    const int last = static_cast<int>(targets.size()) - 1;
    requireInside(targets, 0, last, area, pointer);
    requireInOrder(targets, 0, last, pointer);
    requireEntriesAtMost(targets, LongestNameEntry, pointer);
}

} // namespace kvx
