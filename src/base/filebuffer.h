#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace kvx {

// Memory for a whole file. A fresh buffer costs a page fault for every 4 KiB page the first time
// it is touched, and for a 2 MB game image those faults cost more than reading the file. Buffers
// of a MiB or more therefore come in 2 MiB-aligned blocks that the kernel is asked to back with
// huge pages: a handful of faults where it can, ordinary pages where it cannot. Smaller buffers
// come from the usual heap.
void* allocateFileBuffer(std::size_t bytes);
void freeFileBuffer(void* buffer, std::size_t bytes) noexcept;

template <class T>
struct FileBufferAllocator {
    using value_type = T;

    FileBufferAllocator() = default;
    template <class U>
    FileBufferAllocator(const FileBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(allocateFileBuffer(count * sizeof(T)));
    }
    void deallocate(T* buffer, std::size_t count) noexcept {
        freeFileBuffer(buffer, count * sizeof(T));
    }

    // A buffer sized for a file is filled by reading it: its bytes are left as they come instead
    // of being zeroed first, which would touch every page once more.
    template <class U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const FileBufferAllocator<U>&) const noexcept {
        return true;
    }
};

// The bytes of a whole file, as read and as written back.
using FileBytes = std::vector<std::uint8_t, FileBufferAllocator<std::uint8_t>>;

} // namespace kvx
