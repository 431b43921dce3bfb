#pragma once

#include "base/filebuffer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kvx {

// BPS, the delta patch format: "BPS1", the source and target sizes and a metadata block, actions
// that read or copy from the source, the patch or the target written so far, then the CRC-32s of
// source, target and patch. Numbers are variable-length, 7 bits a byte, the last byte marked by
// its high bit.

bool isBpsPatch(std::span<const std::uint8_t> patch);

// The patch that turns `source` into `target`, with an empty metadata block. Small patches come
// before speed, in linear time: unchanged stretches are read from the source in place, changed
// ones are copied from wherever the source or the target so far holds them when that is shorter
// than writing them out.
std::vector<std::uint8_t> makeBpsPatch(std::span<const std::uint8_t> source,
                                       std::span<const std::uint8_t> target);

// The target the patch makes of `source`. Throws PatchError when the patch is damaged (its own
// CRC-32, or any action leading outside the images), when `source` is not the image the patch was
// made for (naming the CRC-32 it expects and the one it found), when the target would be over
// MaxImageSize, or when the result does not have the target's CRC-32.
FileBytes applyBpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

} // namespace kvx
