#pragma once

#include "rom/romimage.h"
#include "support/undo_log.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The input of an image harness and the image it describes. An input is a roster choice, a cut
// and a list of byte patches, applied to one valid image of the edition:
//
//   byte 0       roster choice, taken modulo 4 (0 reads roster 1; only Genesis II has three)
//   bytes 1..3   cut, big-endian: the image keeps this many bytes; 0 (or the image's length or
//                more) keeps all of them
//   then         patches, each an offset (3 bytes, big-endian, taken modulo the image's length),
//                a count (1 byte) and that many bytes, fewer where the input ends
namespace kvx::fuzz {

struct Patch {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

struct ImageInput {
    int roster = 0;
    std::size_t cut = 0;
    std::vector<Patch> patches;
};

// The bytes of an input, for the seeds.
std::vector<std::uint8_t> encodeImageInput(const ImageInput& input);

// One valid image that every input patches and cuts in turn. A try costs what it changed: the
// patches and every write after them are undone through an undo log, and a cut copies
// the smaller side of it (the bytes kept into a buffer of their own, or the bytes cut off back
// from a pristine copy), never the whole image. The bytes past a cut stay in memory but are
// poisoned, so that the sanitizer reports any read past the end of the cut image.
class TrialImage {
public:
    explicit TrialImage(RomImage valid);

    // The image the input describes, with its undo log started. Returns the roster choice.
    RomImage& prepare(std::span<const std::uint8_t> input, int& roster);
    // Puts the valid image back.
    void restore();
    // Bytes written to the prepared image, its patches included.
    std::size_t bytesWritten() const { return log_.bytesWritten(); }

private:
    enum class Cut { None, InPlace, Copied };

    std::vector<std::uint8_t> pristine_;
    RomImage image_;   // the valid image, or its first bytes while cut in place
    RomImage copy_;    // the first bytes of a short cut
    FileBytes buffer_; // copy_'s memory between tries
    Cut cut_ = Cut::None;
    test::UndoLog log_;
};

} // namespace kvx::fuzz
