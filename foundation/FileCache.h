// The process-wide read cache of fixed-size file blocks, held in one reserved
// memory region and shared by every File built with a FileCacheManager.
// Nothing is ever written back from it: a block is a copy of file data.
#pragma once

#include "foundation/OsmeraDefs.h"

#include <cstddef>

#include "foundation/Lists.h"
#include "foundation/CriticalSection.h"
#include "foundation/ThreadEvent.h"
#include "foundation/RangeInt32.h"

class NH_Heap;
class FileObject;
class FileCacheBuffers;
class FileCacheManager;

// Intrusive chain of the elements of one owner through their own next and
// previous links (an element is in at most one such chain at a time).
template <class T>
class PinList {
public:
    PinList() : count_(0), first_(nullptr), last_(nullptr) {}
    long GetCount() const { return count_; }
    T *GetFirst() const { return first_; }
    T *GetLast() const { return last_; }
    static T *GetNext(T const *e) { return e->pinNext_; }
    void Prepend(T *e) {
        e->pinPrev_ = nullptr;
        e->pinNext_ = first_;
        if (first_) first_->pinPrev_ = e; else last_ = e;
        first_ = e;
        ++count_;
    }
    void Detach(T *e) {
        if (e->pinPrev_) e->pinPrev_->pinNext_ = e->pinNext_; else first_ = e->pinNext_;
        if (e->pinNext_) e->pinNext_->pinPrev_ = e->pinPrev_; else last_ = e->pinPrev_;
        e->pinNext_ = e->pinPrev_ = nullptr;
        --count_;
    }
    void MoveToFront(T *e) {
        if (first_ == e) return;
        Detach(e);
        Prepend(e);
    }

private:
    long count_;
    T *first_;
    T *last_;
};

class OSMERA_API CacheBlock : public ListElement {
public:
    enum State { kFree = 1, kData = 2, kTaken = 4, kLoaded = 10 };

    CacheBlock(char *data);
    char *GetData() const { return data_; }
    long GetValidBytes() const { return valid_; }
    long GetStart() const { return start_; }
    long GetEnd() const { return end_; }
    int GetState() const { return state_; }
    FileCacheBuffers *GetOwner() const { return owner_; }

    static void *operator new(size_t size, NH_Heap &heap);
    static void operator delete(void *block, NH_Heap &heap);
    static void operator delete(void *block);

private:
    friend class FileCacheManager;
    friend class PinList<CacheBlock>;
    char *data_;
    long valid_;
    long start_;
    long end_;
    FileCacheBuffers *owner_;
    int state_;
    CacheBlock *pinNext_;
    CacheBlock *pinPrev_;
};

// The cache's record of one registered file.
class OSMERA_API FileCacheBuffers {
public:
    virtual ~FileCacheBuffers();
    FileCacheManager *GetManager() const { return manager_; }
    FileObject &GetFile() const { return file_; }
    RangeInt32 const &GetRange() const { return range_; }
    long GetNumBlocks() const { return blocks_.GetCount(); }

    FileCacheBuffers(FileCacheBuffers const &) = delete;
    FileCacheBuffers &operator=(FileCacheBuffers const &) = delete;

private:
    friend class FileCacheManager;
    FileCacheBuffers(FileCacheManager &manager, NH_Heap *heap, FileObject const &file);

    PinList<CacheBlock> blocks_;  // most recently used first
    NH_Heap *heap_;
    FileObject &file_;
    FileCacheManager *manager_;
    RangeInt32 range_;
    FileCacheBuffers *nextRegistered_;  // the manager's chain of registered files
    FileCacheBuffers *prevRegistered_;
};

class OSMERA_API FileCacheManager {
public:
    FileCacheManager(unsigned long numBlocks, unsigned long blockSize);
    virtual ~FileCacheManager();

    long SetSize(unsigned long numBlocks, unsigned long blockSize);
    FileCacheBuffers *Register(FileObject const &file);
    unsigned long GetBlockSize() const { return blockSize_; }
    unsigned long GetNumBlocks() const { return numBlocks_; }
    int IsValid() const { return valid_; }
    void GetStatistics(double *hitPercent, double *bytesLoaded, double *bytesFromCache);
    void ResetStatisticCounters();

    // Used by cached files.
    void EnterUser();
    void LeaveUser();
    long CopyFromCache(FileCacheBuffers &file, long offset, void *buffer, long wanted);
    void EnterLoadedBlock(FileCacheBuffers &file, CacheBlock *block, long start, long validBytes);
    // The caller counts as a user (EnterUser): a resize must not drop the
    // block this call takes.
    void WriteThrough(FileCacheBuffers &file, long offset, void const *data, unsigned long count);
    void ReleaseAll(FileCacheBuffers &file);
    CacheBlock *AllocBlock();
    void Free(CacheBlock *block);

    FileCacheManager(FileCacheManager const &) = delete;
    FileCacheManager &operator=(FileCacheManager const &) = delete;

private:
    friend class FileCacheBuffers;
    void WaitForNoUsers();
    void StopUsers();
    void ReadmitUsers();
    void ReleaseFromFile(CacheBlock *block);
    void EnterBlock(FileCacheBuffers &file, CacheBlock *block, long start, long validBytes, int state);
    void Unregister(FileCacheBuffers *file);
    long Resize(unsigned long numBlocks);

    ThreadEvent ready_;
    CriticalSection lock_;
    NH_Heap *heap_;
    unsigned long blockSize_;
    DoubleList blocks_;  // most recently used first, free blocks at the end
    char *region_;
    unsigned long reserved_;
    unsigned long committed_;
    unsigned long numBlocks_;
    int valid_;
    volatile long activeUsers_;
    volatile long resizing_;  // raised while the cache is resized or destroyed
    double bytesLoaded_;
    double bytesDelivered_;
    FileCacheBuffers *registered_;
};
