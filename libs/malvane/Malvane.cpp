#include "malvane/Malvane.h"

#include <windows.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

// Blocks of a named heap carry an 8-byte header in front: the heap's record
// and a check word tied to the block's address. Blocks of the default heap are
// plain C runtime blocks without a header, so that memory allocated by the C++
// runtime DLL and by our replaced operator new can be freed by either side.
// A named heap as FreeMem sees it. Records live in this library, which
// outlives every other module, so a block still finds its heap after the
// NH_Heap object that made it is gone: a heap destroyed while blocks are alive
// is kept until the last of them is freed.
struct NH_HeapRecord {
    HANDLE win32;  // null: the slot is free
    volatile long blocks;
    bool orphan;   // its NH_Heap object is destroyed
    volatile long bypass;  // freed blocks are kept (see BypassFreeing)
};

namespace {

using HeapRecord = NH_HeapRecord;
// Set by BypassFreeing without a heap: no block of any heap is freed any more.
volatile long bypassAll;
const unsigned long kCheck = 0x4D4C564EUL;  // "NVLM"

struct Header {
    HeapRecord *record;
    unsigned long check;
};

CRITICAL_SECTION registryLock;
HeapRecord records[256];

struct RegistryInit {
    RegistryInit() { InitializeCriticalSection(&registryLock); }
} registryInit;

Header *HeaderOf(void const *block) { return const_cast<Header *>(static_cast<Header const *>(block) - 1); }

unsigned long CheckFor(void const *block) {
    return kCheck ^ static_cast<unsigned long>(reinterpret_cast<uintptr_t>(block));
}

// The record of the named heap that owns block, or null for a default-heap block.
HeapRecord *RecordOf(void const *block) {
    Header const *h = HeaderOf(block);
    if (h->check != CheckFor(block))
        return nullptr;
    uintptr_t at = reinterpret_cast<uintptr_t>(h->record), base = reinterpret_cast<uintptr_t>(records);
    if (at < base || at >= base + sizeof records || (at - base) % sizeof(HeapRecord))
        return nullptr;
    return h->record->win32 ? h->record : nullptr;
}

void DestroyIfDone(HeapRecord *r) {
    if (r->orphan && r->blocks == 0 && r->win32) {
        HeapDestroy(r->win32);
        r->win32 = nullptr;
        r->orphan = false;
    }
}

}  // namespace

NH_Heap::NH_Heap(long, char const *name) : record_(nullptr) {
    lstrcpynA(name_, name ? name : "", sizeof name_);
    EnterCriticalSection(&registryLock);
    for (HeapRecord &r : records)
        if (!r.win32) {
            // Without a slot or a system heap this heap hands out default-heap
            // blocks, which FreeMem handles as well.
            if (HANDLE h = HeapCreate(0, 0, 0)) {
                r.win32 = h;
                r.blocks = 0;
                r.orphan = false;
                r.bypass = 0;
                record_ = &r;
            }
            break;
        }
    LeaveCriticalSection(&registryLock);
}

NH_Heap::NH_Heap(char const *name, bool) : record_(nullptr) { lstrcpynA(name_, name, sizeof name_); }

NH_Heap::~NH_Heap() {
    if (!record_)
        return;
    EnterCriticalSection(&registryLock);
    record_->orphan = true;
    DestroyIfDone(record_);
    LeaveCriticalSection(&registryLock);
}

NH_Heap &NH_Heap::GetDefault() {
    static NH_Heap heap("Default", true);
    return heap;
}

long NH_Heap::BlockCount() const { return record_ ? record_->blocks : 0; }

void *NH_Heap::RawAlloc(unsigned long size) {
    if (!record_)
        return std::malloc(size ? size : 1);
    if (size > 0xFFFFFFFFUL - sizeof(Header))
        return nullptr;
    Header *h = static_cast<Header *>(HeapAlloc(record_->win32, 0, size + sizeof(Header)));
    if (!h)
        return nullptr;
    h->record = record_;
    h->check = CheckFor(h + 1);
    InterlockedIncrement(&record_->blocks);
    return h + 1;
}

void *NH_Heap::RawReAlloc(void *block, unsigned long size) {
    if (!block)
        return RawAlloc(size);
    HeapRecord *owner = RecordOf(block);
    if (!owner)
        return std::realloc(block, size ? size : 1);
    if (size > 0xFFFFFFFFUL - sizeof(Header))
        return nullptr;
    Header *h = static_cast<Header *>(HeapReAlloc(owner->win32, 0, HeaderOf(block), size + sizeof(Header)));
    if (!h)
        return nullptr;
    h->check = CheckFor(h + 1);
    return h + 1;
}

void *NH_Heap::AllocMem(unsigned long size) { return RawAlloc(size); }

void *NH_Heap::Alloc(unsigned long size, int) {
    for (;;) {
        if (void *p = RawAlloc(size))
            return p;
        ExecuteStandardNewHandler();
    }
}

void *NH_Heap::ReAlloc(void *block, unsigned long size, int) {
    for (;;) {
        if (void *p = RawReAlloc(block, size))
            return p;
        ExecuteStandardNewHandler();
    }
}

void *NH_Heap::ExpandBy(void *block, unsigned long extra, int flags) {
    unsigned long size = block ? SizeOf(block) : 0;
    if (extra > 0xFFFFFFFFUL - size) {
        // No block can have that size; never go on with a wrapped one.
        ExecuteStandardNewHandler();
        throw std::bad_alloc();
    }
    return ReAlloc(block, size + extra, flags);
}

void NH_Heap::FreeMem(void *block) {
    if (!block || bypassAll)
        return;
    HeapRecord *owner = RecordOf(block);
    if (!owner) {
        std::free(block);
        return;
    }
    if (owner->bypass)
        return;
    Header *h = HeaderOf(block);
    h->check = 0;  // a second free of the same block is no longer recognised
    HeapFree(owner->win32, 0, h);
    if (InterlockedDecrement(&owner->blocks) == 0 && owner->orphan) {
        EnterCriticalSection(&registryLock);
        DestroyIfDone(owner);
        LeaveCriticalSection(&registryLock);
    }
}

unsigned long NH_Heap::SizeOf(void const *block) {
    if (!block)
        return 0;
    HeapRecord *owner = RecordOf(block);
    if (!owner)
        return static_cast<unsigned long>(_msize(const_cast<void *>(block)));
    return static_cast<unsigned long>(HeapSize(owner->win32, 0, HeaderOf(block))) - sizeof(Header);
}

void NH_Heap::ExecuteStandardNewHandler() {
    std::new_handler handler = std::get_new_handler();
    if (!handler)
        throw std::bad_alloc();
    handler();
}

void BypassFreeing(NH_Heap *heap) {
    if (!heap) {
        InterlockedExchange(&bypassAll, 1);
        return;
    }
    if (heap->record_)
        InterlockedExchange(&heap->record_->bypass, 1);
}
