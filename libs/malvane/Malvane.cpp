#include "Malvane.h"

#include <windows.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

// Blocks of a named heap carry an 8-byte header in front: the heap and a check
// word tied to the block's address. Blocks of the default heap are plain C
// runtime blocks without a header, so that memory allocated by the C++ runtime
// DLL and by our replaced operator new can be freed by either side.
namespace {

const unsigned long kCheck = 0x4D4C564EUL;  // "NVLM"

struct Header {
    NH_Heap *heap;
    unsigned long check;
};

Header *HeaderOf(void *block) { return static_cast<Header *>(block) - 1; }

unsigned long CheckFor(void const *block) {
    return kCheck ^ static_cast<unsigned long>(reinterpret_cast<uintptr_t>(block));
}

// The registry of named heaps, so FreeMem can confirm that a header is real.
CRITICAL_SECTION registryLock;
NH_Heap *registry[256];
int registryCount;

struct RegistryInit {
    RegistryInit() { InitializeCriticalSection(&registryLock); }
} registryInit;

bool IsRegistered(NH_Heap *heap) {
    EnterCriticalSection(&registryLock);
    bool found = false;
    for (int i = 0; i < registryCount && !found; ++i)
        found = registry[i] == heap;
    LeaveCriticalSection(&registryLock);
    return found;
}

// The named heap that owns block, or null for a default-heap block.
NH_Heap *OwnerOf(void const *block) {
    Header const *h = static_cast<Header const *>(block) - 1;
    if (h->check != CheckFor(block))
        return nullptr;
    return IsRegistered(h->heap) ? h->heap : nullptr;
}

}  // namespace

struct NH_Access {
    static void *Win32Heap(NH_Heap *h) { return h->win32Heap_; }
    static void Count(NH_Heap *h, long delta) { InterlockedExchangeAdd(&h->blocks_, delta); }
};

NH_Heap::NH_Heap(long, char const *name) : win32Heap_(HeapCreate(0, 0, 0)), blocks_(0) {
    lstrcpynA(name_, name ? name : "", sizeof name_);
    EnterCriticalSection(&registryLock);
    bool registered = win32Heap_ && registryCount < static_cast<int>(sizeof registry / sizeof registry[0]);
    if (registered)
        registry[registryCount++] = this;
    LeaveCriticalSection(&registryLock);
    // An unregistered heap's headers could not be recognised by FreeMem: it
    // hands out plain default-heap blocks instead.
    if (!registered && win32Heap_) {
        HeapDestroy(win32Heap_);
        win32Heap_ = nullptr;
    }
}

NH_Heap::NH_Heap(char const *name, bool) : win32Heap_(nullptr), blocks_(0) {
    lstrcpynA(name_, name, sizeof name_);
}

NH_Heap::~NH_Heap() {
    if (!win32Heap_)
        return;
    EnterCriticalSection(&registryLock);
    for (int i = 0; i < registryCount; ++i)
        if (registry[i] == this) {
            registry[i] = registry[--registryCount];
            break;
        }
    LeaveCriticalSection(&registryLock);
    // Blocks still alive at unload (held by statics of other modules) keep
    // their memory: the heap is only destroyed when it is empty.
    if (blocks_ == 0)
        HeapDestroy(win32Heap_);
}

NH_Heap &NH_Heap::GetDefault() {
    static NH_Heap heap("Default", true);
    return heap;
}

long NH_Heap::BlockCount() const { return blocks_; }

void *NH_Heap::RawAlloc(unsigned long size) {
    if (!win32Heap_) {
        return std::malloc(size ? size : 1);
    }
    if (size > 0xFFFFFFFFUL - sizeof(Header))
        return nullptr;
    Header *h = static_cast<Header *>(HeapAlloc(win32Heap_, 0, size + sizeof(Header)));
    if (!h)
        return nullptr;
    h->heap = this;
    h->check = CheckFor(h + 1);
    NH_Access::Count(this, 1);
    return h + 1;
}

void *NH_Heap::RawReAlloc(void *block, unsigned long size) {
    if (!block)
        return RawAlloc(size);
    NH_Heap *owner = OwnerOf(block);
    if (!owner)
        return std::realloc(block, size ? size : 1);
    if (size > 0xFFFFFFFFUL - sizeof(Header))
        return nullptr;
    Header *h = static_cast<Header *>(HeapReAlloc(owner->win32Heap_, 0, HeaderOf(block), size + sizeof(Header)));
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
    if (!block)
        return;
    NH_Heap *owner = OwnerOf(block);
    if (!owner) {
        std::free(block);
        return;
    }
    Header *h = HeaderOf(block);
    h->check = 0;  // a second free of the same block is no longer recognised
    HeapFree(owner->win32Heap_, 0, h);
    NH_Access::Count(owner, -1);
}

unsigned long NH_Heap::SizeOf(void const *block) {
    if (!block)
        return 0;
    NH_Heap *owner = OwnerOf(block);
    if (!owner)
        return static_cast<unsigned long>(_msize(const_cast<void *>(block)));
    return static_cast<unsigned long>(HeapSize(owner->win32Heap_, 0, static_cast<Header const *>(block) - 1)) - sizeof(Header);
}

void NH_Heap::ExecuteStandardNewHandler() {
    std::new_handler handler = std::get_new_handler();
    if (!handler)
        throw std::bad_alloc();
    handler();
}
