#include "foundation/FileCache.h"

#include "foundation/Exception.h"
#include "foundation/File.h"

#include "malvane/Malvane.h"
#include <windows.h>

#include <cstring>

namespace {

unsigned long const kMaxRegion = 0x8000000;  // 128 MiB
int const kWriteThroughRetries = 5;

unsigned long AllocationGranularity() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwAllocationGranularity;
}

}  // namespace

// ---------------------------------------------------------------- CacheBlock

CacheBlock::CacheBlock(char *data)
    : data_(data), valid_(0), start_(0), end_(0), owner_(nullptr), state_(kFree), pinNext_(nullptr),
      pinPrev_(nullptr) {}

void *CacheBlock::operator new(size_t size, NH_Heap &heap) { return heap.Alloc(size, 0); }
void CacheBlock::operator delete(void *block, NH_Heap &) { NH_Heap::FreeMem(block); }
void CacheBlock::operator delete(void *block) { NH_Heap::FreeMem(block); }

// ---------------------------------------------------------------- FileCacheBuffers

FileCacheBuffers::FileCacheBuffers(FileCacheManager &manager, NH_Heap *heap, FileObject const &file)
    : heap_(heap), file_(const_cast<FileObject &>(file)), manager_(&manager), nextRegistered_(nullptr),
      prevRegistered_(nullptr) {
    range_.Invalidate();
}

FileCacheBuffers::~FileCacheBuffers() {
    if (manager_) {
        manager_->ReleaseAll(*this);
        manager_->Unregister(this);
    }
}

// ---------------------------------------------------------------- FileCacheManager

FileCacheManager::FileCacheManager(unsigned long numBlocks, unsigned long blockSize)
    : ready_(1, 0), heap_(new NH_Heap(1, "FileCacheManager")), blockSize_(blockSize), blocks_(1),
      region_(nullptr), reserved_(0), committed_(0), numBlocks_(0), valid_(0), activeUsers_(0), resizing_(0),
      bytesLoaded_(0), bytesDelivered_(0), registered_(nullptr) {
    // A cache that gets no memory is simply not used: its files stay uncached.
    try {
        valid_ = SetSize(numBlocks ? numBlocks : 1, blockSize) != 0;
    } catch (...) {
        valid_ = 0;
    }
}

FileCacheManager::~FileCacheManager() {
    StopUsers();
    {
        AutoCriticalSection guard(lock_);
        // files still registered go on uncached
        while (FileCacheBuffers *file = registered_) {
            Unregister(file);
            file->manager_ = nullptr;
            file->file_.cache_ = nullptr;
            delete file;
        }
        blocks_.DeleteAll();
        numBlocks_ = 0;
        valid_ = 0;
    }
    if (region_)
        VirtualFree(region_, 0, MEM_RELEASE);
    ReadmitUsers();
    delete heap_;
}

void FileCacheManager::WaitForNoUsers() {
    while (InterlockedCompareExchange(&activeUsers_, 0, 0) > 0)
        Sleep(20);
}

void FileCacheManager::EnterUser() {
    // Announce first, then look again: a resize that started meanwhile has
    // raised its flag and waits for this thread to back off. The event is
    // waited on only while a resize runs (a wait costs a system call).
    for (;;) {
        if (InterlockedCompareExchange(&resizing_, 0, 0))
            ready_.WaitForIt(static_cast<unsigned long>(-1));
        InterlockedIncrement(&activeUsers_);
        if (!InterlockedCompareExchange(&resizing_, 0, 0))
            return;
        InterlockedDecrement(&activeUsers_);
    }
}

void FileCacheManager::StopUsers() {
    InterlockedExchange(&resizing_, 1);
    ready_.SetFalse();
    WaitForNoUsers();
}

void FileCacheManager::ReadmitUsers() {
    InterlockedExchange(&resizing_, 0);
    ready_.SetTrue();
}

void FileCacheManager::LeaveUser() { InterlockedDecrement(&activeUsers_); }

long FileCacheManager::SetSize(unsigned long numBlocks, unsigned long blockSize) {
    if (!numBlocks)
        numBlocks = 1;
    if (region_ && numBlocks == numBlocks_ && blockSize == blockSize_)
        return static_cast<long>(numBlocks_);
    StopUsers();
    long result;
    try {
        AutoCriticalSection guard(lock_);
        for (FileCacheBuffers *file = registered_; file; file = file->nextRegistered_)
            ReleaseAll(*file);
        result = Resize(numBlocks);
    } catch (...) {
        ReadmitUsers();
        throw;
    }
    ReadmitUsers();
    return result;
}

long FileCacheManager::Resize(unsigned long numBlocks) {
    if (!region_) {
        MEMORYSTATUS status;
        status.dwLength = sizeof status;
        GlobalMemoryStatus(&status);
        unsigned long size = status.dwTotalPhys / 2;
        if (size > kMaxRegion) size = kMaxRegion;
        unsigned long granularity = AllocationGranularity();
        size = (size + granularity - 1) / granularity * granularity;
        if (!blockSize_)
            ExceptionThrower(0).SetAndThrow("", 0ul);
        char *region = static_cast<char *>(VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_READWRITE));
        if (!region)
            ExceptionThrower(0).SetAndThrow("", 0ul);
        region_ = region;
        reserved_ = size;
        if (numBlocks > reserved_ / blockSize_) numBlocks = reserved_ / blockSize_;
        while (numBlocks && !VirtualAlloc(region_, blockSize_ * numBlocks, MEM_COMMIT, PAGE_READWRITE))
            numBlocks -= numBlocks < 11 ? 1 : numBlocks / 10;
        if (!numBlocks)
            ExceptionThrower(0).SetAndThrow("", 0ul);
        committed_ = blockSize_ * numBlocks;
        for (unsigned long i = 0; i < numBlocks; ++i)
            blocks_.Append(new (*heap_) CacheBlock(region_ + i * blockSize_));
        numBlocks_ = numBlocks;
        return static_cast<long>(numBlocks_);
    }
    if (numBlocks > reserved_ / blockSize_) numBlocks = reserved_ / blockSize_;
    unsigned long size = blockSize_ * numBlocks;
    if (size > committed_) {
        if (!VirtualAlloc(region_ + committed_, size - committed_, MEM_COMMIT, PAGE_READWRITE))
            return static_cast<long>(numBlocks_);  // the cache keeps its size
        for (unsigned long i = numBlocks_; i < numBlocks; ++i)
            blocks_.Append(new (*heap_) CacheBlock(region_ + i * blockSize_));
    } else if (size < committed_) {
        char *boundary = region_ + size;
        for (ListElement *e = blocks_.GetFirst(); e;) {
            ListElement *next = e->GetNext();
            if (static_cast<CacheBlock *>(e)->data_ >= boundary)
                blocks_.Delete(e);
            e = next;
        }
        VirtualFree(boundary, committed_ - size, MEM_DECOMMIT);
    }
    committed_ = size;
    numBlocks_ = numBlocks;
    return static_cast<long>(numBlocks_);
}

FileCacheBuffers *FileCacheManager::Register(FileObject const &file) {
    if (!valid_)
        return nullptr;
    FileCacheBuffers *buffers = new FileCacheBuffers(*this, heap_, file);
    AutoCriticalSection guard(lock_);
    buffers->nextRegistered_ = registered_;
    if (registered_) registered_->prevRegistered_ = buffers;
    registered_ = buffers;
    return buffers;
}

void FileCacheManager::Unregister(FileCacheBuffers *file) {
    AutoCriticalSection guard(lock_);
    if (file->prevRegistered_) file->prevRegistered_->nextRegistered_ = file->nextRegistered_;
    else if (registered_ == file) registered_ = file->nextRegistered_;
    if (file->nextRegistered_) file->nextRegistered_->prevRegistered_ = file->prevRegistered_;
    file->nextRegistered_ = file->prevRegistered_ = nullptr;
}

void FileCacheManager::GetStatistics(double *hitPercent, double *bytesLoaded, double *bytesFromCache) {
    AutoCriticalSection guard(lock_);
    // blocks loaded but never read (or replaced first) would make the
    // difference negative: the cache then delivered nothing of its own
    double fromCache = bytesDelivered_ > bytesLoaded_ ? bytesDelivered_ - bytesLoaded_ : 0;
    if (bytesLoaded) *bytesLoaded = bytesLoaded_;
    if (bytesFromCache) *bytesFromCache = fromCache;
    if (hitPercent) *hitPercent = bytesDelivered_ > 0 ? fromCache * 100 / bytesDelivered_ : 0;
}

void FileCacheManager::ResetStatisticCounters() {
    AutoCriticalSection guard(lock_);
    bytesLoaded_ = bytesDelivered_ = 0;
}

// Takes a block out of its file's chain and makes it free; the file's range
// becomes the hull of the blocks it still has.
void FileCacheManager::ReleaseFromFile(CacheBlock *block) {
    FileCacheBuffers *file = block->owner_;
    block->state_ = CacheBlock::kFree;
    if (!file)
        return;
    file->blocks_.Detach(block);
    block->owner_ = nullptr;
    file->range_.Invalidate();
    for (CacheBlock *b = file->blocks_.GetFirst(); b; b = PinList<CacheBlock>::GetNext(b)) {
        RangeInt32 r(b->start_, b->end_ - 1);
        if (file->range_.IsValid()) file->range_ |= r; else file->range_ = r;
    }
}

long FileCacheManager::CopyFromCache(FileCacheBuffers &file, long offset, void *buffer, long wanted) {
    AutoCriticalSection guard(lock_);
    if (!file.range_.ContainsPoint(offset))
        return 0;
    for (CacheBlock *b = file.blocks_.GetFirst(); b; b = PinList<CacheBlock>::GetNext(b)) {
        if (b->start_ > offset || offset >= b->end_)
            continue;
        long n = b->end_ - offset;
        if (n > wanted) n = wanted;
        std::memcpy(buffer, b->data_ + (offset - b->start_), n);
        bytesDelivered_ += n;
        file.blocks_.MoveToFront(b);
        blocks_.Detach(b);
        blocks_.Prepend(b);
        b->state_ = CacheBlock::kData;
        return n;
    }
    return 0;
}

void FileCacheManager::EnterBlock(FileCacheBuffers &file, CacheBlock *block, long start, long validBytes, int state) {
    AutoCriticalSection guard(lock_);
    // an older copy of the same bytes must not be found again
    for (CacheBlock *b = file.blocks_.GetFirst(); b;) {
        CacheBlock *next = PinList<CacheBlock>::GetNext(b);
        if (b->start_ == start && b != block) {
            ReleaseFromFile(b);
            blocks_.Detach(b);
            blocks_.Append(b);
        }
        b = next;
    }
    block->owner_ = &file;
    block->start_ = start;
    block->valid_ = validBytes;
    block->end_ = start + validBytes;
    block->state_ = state;
    file.blocks_.Prepend(block);
    RangeInt32 r(start, block->end_ - 1);
    if (file.range_.IsValid()) file.range_ |= r; else file.range_ = r;
    blocks_.Detach(block);
    blocks_.Prepend(block);
    if (state == CacheBlock::kLoaded)
        bytesLoaded_ += validBytes;
}

void FileCacheManager::EnterLoadedBlock(FileCacheBuffers &file, CacheBlock *block, long start, long validBytes) {
    EnterBlock(file, block, start, validBytes, CacheBlock::kLoaded);
}

void FileCacheManager::WriteThrough(FileCacheBuffers &file, long offset, void const *data, unsigned long count) {
    {
        // no block may keep bytes that the write replaced
        AutoCriticalSection guard(lock_);
        long end = offset + static_cast<long>(count);
        for (CacheBlock *b = file.blocks_.GetFirst(); b;) {
            CacheBlock *next = PinList<CacheBlock>::GetNext(b);
            if (b->start_ < end && b->end_ > offset)
                Free(b);
            b = next;
        }
    }
    CacheBlock *block = nullptr;
    if (count <= blockSize_ && !(static_cast<unsigned long>(offset) % blockSize_)) {
        for (int attempt = 0; !(block = AllocBlock()) && attempt < kWriteThroughRetries; ++attempt)
            Sleep(20);
    }
    // without a block the bytes are on disk and the cache simply lacks them
    if (block) {
        std::memcpy(block->data_, data, count);
        EnterBlock(file, block, offset, static_cast<long>(count), CacheBlock::kData);
    }
}

void FileCacheManager::ReleaseAll(FileCacheBuffers &file) {
    AutoCriticalSection guard(lock_);
    while (CacheBlock *b = file.blocks_.GetFirst())
        Free(b);
}

CacheBlock *FileCacheManager::AllocBlock() {
    AutoCriticalSection guard(lock_);
    for (ListElement *e = blocks_.GetLast(); e; e = e->GetPrev()) {
        CacheBlock *b = static_cast<CacheBlock *>(e);
        if (b->state_ != CacheBlock::kFree && b->state_ != CacheBlock::kData)
            continue;
        ReleaseFromFile(b);
        b->state_ = CacheBlock::kTaken;
        return b;
    }
    return nullptr;
}

void FileCacheManager::Free(CacheBlock *block) {
    AutoCriticalSection guard(lock_);
    ReleaseFromFile(block);
    blocks_.Detach(block);
    blocks_.Append(block);
    block->state_ = CacheBlock::kFree;
}
