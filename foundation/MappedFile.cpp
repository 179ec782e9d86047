#include "foundation/MappedFile.h"

#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/FileFaults.h"
#include "foundation/MessageCatalogue.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Guards every view list and use count of every mapped file, and the idle views.
CriticalSection viewLock;

// Views nobody uses any more stay mapped for a while, newest last: a reader that goes from
// one file to another and back finds its view again instead of mapping it anew (and
// faulting its pages in again). At most this many stay; a mapping that fails for want of
// address space drops them all and tries once more.
size_t const kMaxIdleViews = 8;
std::vector<MappedFile::View *> idleViews;

void ForgetIdle(MappedFile::View *view) {
    idleViews.erase(std::remove(idleViews.begin(), idleViews.end(), view), idleViews.end());
}

unsigned long Granularity() {
    static unsigned long granularity;
    if (!granularity) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        granularity = info.dwAllocationGranularity;
    }
    return granularity;
}

[[noreturn]] void ThrowMappingError(unsigned long error, FileName const &name) {
    if (error != ERROR_NOT_ENOUGH_MEMORY)
        File::CheckDiskFull(name, error);
    String text = FindString(error == ERROR_NOT_ENOUGH_MEMORY ? 18026 : 18021);
    ExceptionThrower(0).SetAndThrow(text, error);
    throw Exception(text, error);
}

}  // namespace

// ---------------------------------------------------------------- View

MappedFile::View::View(MappedFile &owner, unsigned long offset, unsigned long size, long ownUses)
    : owner_(&owner), base_(nullptr), size_(0), offset_(offset), end_(0), useCount_(1), mapBase_(nullptr),
      ownUses_(ownUses) {
    if (!size) size = owner.size_ > offset ? owner.size_ - offset : 0;
    // The system maps at multiples of its allocation granularity only.
    unsigned long skip = offset % Granularity();
    if (unsigned long fault = FileFaults::Check(FileFaults::kMap))
        ThrowMappingError(fault, owner.file_->GetName());
    void *mapped = MapViewOfFile(owner.mapping_, owner.viewAccess_, 0, offset - skip, size + skip);
    if (!mapped && GetLastError() == ERROR_NOT_ENOUGH_MEMORY && !idleViews.empty()) {
        DropIdleViews(0);
        mapped = MapViewOfFile(owner.mapping_, owner.viewAccess_, 0, offset - skip, size + skip);
    }
    if (!mapped)
        ThrowMappingError(GetLastError(), owner.file_->GetName());
    mapBase_ = static_cast<char *>(mapped);
    base_ = mapBase_ + skip;
    size_ = size;
    end_ = offset + size;
}

MappedFile::View::~View() {
    ForgetIdle(this);
    if (mapBase_)
        UnmapViewOfFile(mapBase_);
}

// ---------------------------------------------------------------- MappedFile

MappedFile::MappedFile(FileName const &name, int fileFlags, int createView, unsigned long size)
    : FileObject(nullptr), mapping_(nullptr), file_(new File(name, fileFlags)), ownsFile_(1), size_(0),
      requestedSize_(0), views_(1), viewAccess_(0), protection_(0) {
    try {
        Init(createView, size);
    } catch (...) {
        delete file_;
        throw;
    }
}

MappedFile::MappedFile(File &file, int createView, unsigned long size)
    : FileObject(nullptr), mapping_(nullptr), file_(&file), ownsFile_(0), size_(0), requestedSize_(0),
      views_(1), viewAccess_(0), protection_(0) {
    Init(createView, size);
}

MappedFile::~MappedFile() {
    if (mapping_) {
        DeleteAllViews();
        CloseHandle(mapping_);
    }
    if (ownsFile_)
        delete file_;
}

void MappedFile::Init(int createView, unsigned long size) {
    if (!file_->IsOpen()) {
        String text = BuildString(18000, file_->GetName().c_str());
        ExceptionThrower(0).SetAndThrow(text, GetLastError());
    }
    long flags = file_->GetOpenFlags();
    if (flags & File::kReadWrite) {
        protection_ = PAGE_READWRITE;
        viewAccess_ = FILE_MAP_READ | FILE_MAP_WRITE;
    } else if (flags & File::kWrite) {
        protection_ = PAGE_READWRITE;
        viewAccess_ = FILE_MAP_WRITE;
    } else {
        protection_ = PAGE_READONLY;
        viewAccess_ = FILE_MAP_READ;
    }
    CreateMapping(size);
    size_ = requestedSize_ = size ? size : static_cast<unsigned long>(file_->GetSize());
    if (createView) {
        AutoCriticalSection guard(viewLock);
        views_.Append(new View(*this, 0, 0, 1));
    }
}

void MappedFile::CreateMapping(unsigned long size) {
    if (unsigned long fault = FileFaults::Check(FileFaults::kMap))
        ThrowMappingError(fault, file_->GetName());
    mapping_ = CreateFileMappingA(file_->GetHandle(), nullptr, protection_, 0, size, nullptr);
    if (!mapping_)
        ThrowMappingError(GetLastError(), file_->GetName());
}

// A view that someone found through FindElseCreate must outlive neither the
// mapping nor its size: refuse instead of leaving that user a dangling view.
void MappedFile::RefuseWhileShared() const {
    for (View *v = static_cast<View *>(views_.GetFirst()); v; v = static_cast<View *>(v->GetNext())) {
        if (v->useCount_ > v->ownUses_) {
            String text = FindString(18021);
            ExceptionThrower(0).SetAndThrow(text, static_cast<unsigned long>(ERROR_BUSY));
        }
    }
}

void MappedFile::Close() {
    {
        AutoCriticalSection guard(viewLock);
        if (mapping_) {
            RefuseWhileShared();
            DeleteAllViews();
            CloseHandle(mapping_);
            mapping_ = nullptr;
        }
    }
    file_->Close(1);
}

MappedFile::View *MappedFile::CreateView(unsigned long offset, unsigned long size) {
    AutoCriticalSection guard(viewLock);
    View *view = new View(*this, offset, size, 1);
    views_.Append(view);
    return view;
}

void MappedFile::CloseView(View *view) {
    AutoCriticalSection guard(viewLock);
    views_.Delete(view);
}

MappedFile::View *MappedFile::FindElseCreate(unsigned long offset, unsigned long size) {
    AutoCriticalSection guard(viewLock);
    for (View *v = static_cast<View *>(views_.GetFirst()); v; v = static_cast<View *>(v->GetNext())) {
        if (v->offset_ <= offset && offset + size <= v->end_) {
            if (v->useCount_++ == 0)
                ForgetIdle(v);
            return v;
        }
    }
    View *view = new View(*this, offset, size, 0);
    views_.Append(view);
    return view;
}

void MappedFile::Release(View *view) {
    AutoCriticalSection guard(viewLock);
    if (--view->useCount_ > 0)
        return;
    idleViews.push_back(view);
    DropIdleViews(kMaxIdleViews);
}

void MappedFile::DropIdleViews(size_t keep) {
    AutoCriticalSection guard(viewLock);
    while (idleViews.size() > keep) {
        View *oldest = idleViews.front();
        oldest->owner_->views_.Delete(oldest);  // its destructor takes it off the list
    }
}

void MappedFile::FlushViews() {
    AutoCriticalSection guard(viewLock);
    for (View *v = static_cast<View *>(views_.GetFirst()); v; v = static_cast<View *>(v->GetNext()))
        FlushViewOfFile(v->base_, v->size_);
}

char *MappedFile::SetFileSize(unsigned long newSize, int createView, int zeroFill) {
    AutoCriticalSection guard(viewLock);
    if (size_ == newSize || !mapping_)
        return nullptr;
    RefuseWhileShared();
    unsigned long oldSize = size_;
    DeleteAllViews();
    CloseHandle(mapping_);
    mapping_ = nullptr;
    // a smaller mapping does not cut the file by itself
    if (newSize && newSize < static_cast<unsigned long>(file_->GetSize()))
        file_->SetSize(static_cast<long>(newSize));
    CreateMapping(newSize);
    size_ = static_cast<unsigned long>(file_->GetSize());
    requestedSize_ = newSize ? newSize : size_;
    if (!createView)
        return nullptr;
    View *view = new View(*this, 0, 0, 1);
    views_.Append(view);
    if (zeroFill && newSize > oldSize && view->size_ >= newSize)
        std::memset(view->base_ + oldSize, 0, newSize - oldSize);
    return view->base_;
}

char *MappedFile::GetStart() const {
    View *v = GetView();
    return v ? v->base_ : nullptr;
}

unsigned long MappedFile::GetSize() const {
    View *v = GetView();
    return v ? v->size_ : 0;
}

MappedFile::View *MappedFile::GetView() const { return static_cast<View *>(views_.GetFirst()); }

MappedFile::View &MappedFile::GetView(int index) const {
    ListElement *e = views_.GetFirst();
    while (index-- > 0 && e)
        e = e->GetNext();
    return *static_cast<View *>(e);
}

void MappedFile::DeleteAllViews() {
    AutoCriticalSection guard(viewLock);
    views_.DeleteAll();
}
