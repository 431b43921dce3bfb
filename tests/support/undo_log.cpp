#include "support/undo_log.h"

#include <string_view>

namespace kvx::test {

void UndoLog::start(RomImage& image) {
    if (image_)
        image_->observeWrites(nullptr);
    image_ = &image;
    runs_.clear();
    bytes_.clear();
    image.observeWrites(this);
}

void UndoLog::beforeWrite(std::size_t offset, std::span<const std::uint8_t> replaced) {
    // A write that continues the previous one (a pointer table, entry by entry) extends its run.
    if (!runs_.empty() && runs_.back().offset + runs_.back().length == offset)
        runs_.back().length += replaced.size();
    else
        runs_.push_back({offset, replaced.size()});
    bytes_.insert(bytes_.end(), replaced.begin(), replaced.end());
}

void UndoLog::rollback() {
    if (!image_)
        return;
    image_->observeWrites(nullptr);
    std::size_t end = bytes_.size();
    for (auto run = runs_.rbegin(); run != runs_.rend(); ++run) {
        end -= run->length;
        image_->setText(
            run->offset,
            std::string_view(reinterpret_cast<const char*>(bytes_.data() + end), run->length));
    }
    image_ = nullptr;
    runs_.clear();
    bytes_.clear();
}

} // namespace kvx::test
