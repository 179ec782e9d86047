// Malvane: named private heaps and the process-wide default heap.
//
// Every deliverable allocates through NH_Heap. A block from any heap may be
// freed by any deliverable with NH_Heap::FreeMem, which finds the owning heap
// itself.
#pragma once

#include <cstddef>

#ifdef MALVANE_BUILD
#define MALVANE_API __declspec(dllexport)
#else
#define MALVANE_API __declspec(dllimport)
#endif

struct NH_HeapRecord;

class MALVANE_API NH_Heap {
public:
    // Creates a named heap. The first argument is kept for callers that pass
    // 1 ("growable"); every heap here grows on demand.
    NH_Heap(long growable, char const *name);
    virtual ~NH_Heap();

    NH_Heap(NH_Heap const &) = delete;
    NH_Heap &operator=(NH_Heap const &) = delete;

    static NH_Heap &GetDefault();

    // A block of size bytes, or null when the memory is not there.
    void *AllocMem(unsigned long size);
    // Never null: on failure the new-handler runs (which throws) and the
    // allocation is retried, as operator new does.
    void *Alloc(unsigned long size, int flags = 0);
    void *ReAlloc(void *block, unsigned long size, int flags = 0);
    void *ExpandBy(void *block, unsigned long extra, int flags = 0);
    // Frees a block of any heap; null is ignored.
    static void FreeMem(void *block);
    // The usable size of a block of any heap.
    static unsigned long SizeOf(void const *block);
    // Runs the current new-handler, or throws std::bad_alloc when none is set.
    static void ExecuteStandardNewHandler();

    char const *Name() const { return name_; }
    // Blocks of this named heap not yet freed (not kept for the default heap).
    long BlockCount() const;

private:
    explicit NH_Heap(char const *name, bool isDefault);
    void *RawAlloc(unsigned long size);
    void *RawReAlloc(void *block, unsigned long size);

    char name_[64];
    // The heap's entry in the library's table of named heaps; null for the
    // default heap, which is the C runtime's heap.
    NH_HeapRecord *record_;
};
