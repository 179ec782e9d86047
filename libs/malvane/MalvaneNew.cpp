// Linked into every deliverable of ours: global new and delete allocate from
// Malvane's default heap, and a failure runs the new-handler.
#include "malvane/Malvane.h"

#include <climits>
#include <new>

namespace {

// The heap counts sizes in unsigned long; a larger request (only possible in
// the 64-bit build) fails as any other, never cut to a smaller block.
bool Fits(std::size_t size) { return size <= ULONG_MAX; }

void *Allocate(std::size_t size) {
    if (!Fits(size)) {
        NH_Heap::ExecuteStandardNewHandler();
        throw std::bad_alloc();
    }
    return NH_Heap::GetDefault().Alloc(static_cast<unsigned long>(size), 0);
}

void *TryAllocate(std::size_t size) {
    return Fits(size) ? NH_Heap::GetDefault().AllocMem(static_cast<unsigned long>(size)) : nullptr;
}

}  // namespace

void *operator new(std::size_t size) { return Allocate(size); }
void *operator new[](std::size_t size) { return Allocate(size); }
void *operator new(std::size_t size, std::nothrow_t const &) noexcept { return TryAllocate(size); }
void *operator new[](std::size_t size, std::nothrow_t const &) noexcept { return TryAllocate(size); }
void operator delete(void *block) noexcept { NH_Heap::FreeMem(block); }
void operator delete[](void *block) noexcept { NH_Heap::FreeMem(block); }
void operator delete(void *block, std::size_t) noexcept { NH_Heap::FreeMem(block); }
void operator delete[](void *block, std::size_t) noexcept { NH_Heap::FreeMem(block); }
