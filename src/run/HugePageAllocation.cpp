// Large blocks (the file text, the segment index, the FNS3 lines) are asked
// for in transparent huge pages. On the virtual machines where the checks
// often run, each first touch of a 4 KB page is costly: a 100 MB file costs
// some 75 000 page faults, close to a second, against a few hundred faults
// with 2 MB pages. Linked into the executables only (not the core library),
// and left out under AddressSanitizer so that its own operator new keeps
// checking new/delete pairs.
#if !defined(__SANITIZE_ADDRESS__) && defined(__linux__)

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

void* Allocate(std::size_t size) {
    if (size >= kHugePage) {
        // Whole aligned huge pages, so that no 4 KB page is left at either end.
        const std::size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
        if (void* p = std::aligned_alloc(kHugePage, rounded)) {
            ::madvise(p, rounded, MADV_HUGEPAGE);  // advice only: failure is harmless
            return p;
        }
        throw std::bad_alloc();
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
