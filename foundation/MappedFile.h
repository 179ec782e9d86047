// A disk file mapped into memory, handing out views (windows of the file)
// shared by use count. All view bookkeeping of all mapped files runs under
// one library-wide lock.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/File.h"
#include "foundation/Lists.h"

#include <cstddef>

class OSMERA_API MappedFile : public FileObject {
public:
    class OSMERA_API View : public ListElement {
    public:
        ~View() override;
        MappedFile &GetOwner() const { return *owner_; }
        char *GetBase() const { return base_; }
        unsigned long GetSize() const { return size_; }
        unsigned long GetFileOffset() const { return offset_; }
        unsigned long GetEndOffset() const { return end_; }
        long GetUseCount() const { return useCount_; }

    private:
        friend class MappedFile;
        View(MappedFile &owner, unsigned long offset, unsigned long size, long ownUses);

        MappedFile *owner_;
        char *base_;         // the byte at offset_
        unsigned long size_;
        unsigned long offset_;
        unsigned long end_;
        long useCount_;
        char *mapBase_;      // what the system mapped (aligned down from offset_)
        long ownUses_;       // 1 for a view made by CreateView: its maker's use
    };

    MappedFile(FileName const &name, int fileFlags, int createView = 1, unsigned long size = 0);
    MappedFile(File &file, int createView = 1, unsigned long size = 0);
    ~MappedFile() override;

    long GetFileSize() const override { return static_cast<long>(size_); }

    void Close();
    View *CreateView(unsigned long offset, unsigned long size);
    void CloseView(View *view);
    // A view holding the range, found (one more use) or made.
    View *FindElseCreate(unsigned long offset, unsigned long size);
    // One use less; a view without uses stays mapped, idle, until it is found again or
    // newer idle views push it out.
    void Release(View *view);
    // Unmaps the idle views of every mapped file but the newest keep.
    static void DropIdleViews(size_t keep);
    void FlushViews();
    char *SetFileSize(unsigned long newSize, int createView = 1, int zeroFill = 0);

    char *GetStart() const;
    unsigned long GetSize() const;
    unsigned long GetRequestedSize() const { return requestedSize_; }
    View *GetView() const;
    View &GetView(int index) const;
    List<View> &GetViews() { return views_; }
    File &GetFile() { return *file_; }
    void DeleteAllViews();
    int IsMapped() const { return mapping_ != nullptr; }

private:
    void Init(int createView, unsigned long size);
    void CreateMapping(unsigned long size);
    void RefuseWhileShared() const;

    void *mapping_;
    File *file_;
    int ownsFile_;
    unsigned long size_;
    unsigned long requestedSize_;
    List<View> views_;
    unsigned long viewAccess_;
    unsigned long protection_;
};
