#include "base/filebuffer.h"

#include <cstdlib>
#include <sys/mman.h>

namespace kvx {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t LargeBuffer = std::size_t{1} << 20;

std::size_t hugePages(std::size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

} // namespace

void* allocateFileBuffer(std::size_t bytes) {
    if (bytes < LargeBuffer)
        return ::operator new(bytes);
    const std::size_t size = hugePages(bytes);
    if (size < bytes)
        throw std::bad_alloc();
    void* buffer = std::aligned_alloc(HugePage, size);
    if (!buffer)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // Advice only: where huge pages are switched off, the buffer is ordinary memory.
    ::madvise(buffer, size, MADV_HUGEPAGE);
#endif
    return buffer;
}

void freeFileBuffer(void* buffer, std::size_t bytes) noexcept {
    if (bytes < LargeBuffer)
        ::operator delete(buffer);
    else
        std::free(buffer);
}

} // namespace kvx
