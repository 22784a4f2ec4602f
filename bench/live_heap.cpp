// Replaces the C allocator's entry points with ones that count the live bytes and pass the
// work on to the C library's own allocator. Everything of the process allocates through them:
// operator new of the C++ library, Qt's image buffers, libjpeg's work memory.
#include "bench/live_heap.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {

std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};

void added(void* p) {
    if (!p)
        return;
    const auto now = live.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p))) +
                     static_cast<std::int64_t>(malloc_usable_size(p));
    auto high = peak.load();
    while (now > high && !peak.compare_exchange_weak(high, now)) {
    }
}

void removed(void* p) {
    if (p)
        live.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)));
}

} // namespace

extern "C" {

void* malloc(std::size_t n) noexcept {
    void* p = __libc_malloc(n);
    added(p);
    return p;
}

void* calloc(std::size_t n, std::size_t size) noexcept {
    void* p = __libc_calloc(n, size);
    added(p);
    return p;
}

void* realloc(void* old, std::size_t n) noexcept {
    removed(old);
    void* p = __libc_realloc(old, n);
    // A failed realloc leaves the old block in place.
    added(p ? p : (n != 0 ? old : nullptr));
    return p;
}

void free(void* p) noexcept {
    removed(p);
    __libc_free(p);
}

void* memalign(std::size_t alignment, std::size_t n) noexcept {
    void* p = __libc_memalign(alignment, n);
    added(p);
    return p;
}

void* aligned_alloc(std::size_t alignment, std::size_t n) noexcept {
    return memalign(alignment, n);
}

int posix_memalign(void** out, std::size_t alignment, std::size_t n) noexcept {
    void* p = memalign(alignment, n);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}

void* valloc(std::size_t n) noexcept {
    return memalign(4096, n);
}

void* pvalloc(std::size_t n) noexcept {
    return memalign(4096, (n + 4095) / 4096 * 4096);
}

} // extern "C"

namespace bench {

std::int64_t liveHeapBytes() {
    return live.load();
}

std::int64_t heapPeakBytes() {
    return peak.load();
}

void resetHeapPeak() {
    peak.store(live.load());
}

} // namespace bench
