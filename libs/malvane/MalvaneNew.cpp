// Linked into every deliverable of ours: global new and delete allocate from
// Malvane's default heap, and a failure runs the new-handler.
#include "Malvane.h"

#include <new>

void *operator new(std::size_t size) { return NH_Heap::GetDefault().Alloc(size, 0); }
void *operator new[](std::size_t size) { return NH_Heap::GetDefault().Alloc(size, 0); }
void *operator new(std::size_t size, std::nothrow_t const &) noexcept {
    return NH_Heap::GetDefault().AllocMem(size);
}
void *operator new[](std::size_t size, std::nothrow_t const &) noexcept {
    return NH_Heap::GetDefault().AllocMem(size);
}
void operator delete(void *block) noexcept { NH_Heap::FreeMem(block); }
void operator delete[](void *block) noexcept { NH_Heap::FreeMem(block); }
void operator delete(void *block, std::size_t) noexcept { NH_Heap::FreeMem(block); }
void operator delete[](void *block, std::size_t) noexcept { NH_Heap::FreeMem(block); }
