// Large blocks (the file text, the segment index, the FNS3 lines) are asked
// for in transparent huge pages. On the virtual machines where the checks
// often run, each first touch of a 4 KB page is costly: a 100 MB file costs
// some 75 000 page faults, close to a second, against a few hundred faults
// with 2 MB pages. Blocks of a megabyte or more are also mapped on their own
// and given back when freed, rather than left in the heap once a list has
// outgrown them. Linked into the executables only (not the core library),
// and left out under AddressSanitizer so that its own operator new keeps
// checking new/delete pairs.
#if !defined(__SANITIZE_ADDRESS__) && defined(__linux__)

#include <malloc.h>
#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A fixed threshold also stops the allocator from raising it each time a
// mapped block is freed, which would send later large blocks to the heap.
struct MappedLargeBlocks {
    MappedLargeBlocks() { ::mallopt(M_MMAP_THRESHOLD, 1 << 20); }
} const kMappedLargeBlocks;

void* Allocate(std::size_t size) {
    if (size >= kHugePage) {
        // Aligned, so that the block starts a huge page; its last, partly
        // used stretch stays in small pages rather than pinning 2 MB.
        void* p = nullptr;
        if (::posix_memalign(&p, kHugePage, size) != 0) throw std::bad_alloc();
        ::madvise(p, size & ~(kHugePage - 1), MADV_HUGEPAGE);  // advice only: failure is harmless
        return p;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

#endif
