#pragma once

#include "rom/romimage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kvx::test {

// Keeps the bytes every write to one image replaces, from start() on, so that rollback() puts
// them back: a try on one large image then costs what it wrote instead of a copy of the image.
class UndoLog : public RomImage::WriteObserver {
public:
    // Starts a new log of the writes to `image`.
    void start(RomImage& image);
    // Undoes every write since start(), newest first, and stops logging.
    void rollback();
    // Bytes written since start() (a byte written twice counts twice).
    std::size_t bytesWritten() const { return bytes_.size(); }

    void beforeWrite(std::size_t offset, std::span<const std::uint8_t> replaced) override;

private:
    struct Run {
        std::size_t offset;
        std::size_t length;
    };

    RomImage* image_ = nullptr;
    std::vector<Run> runs_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace kvx::test
