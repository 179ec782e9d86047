// Walks folders and reports the files whose names match one of a list of file
// types, through virtual hooks a derived class overrides.
#pragma once

#include <windows.h>

#include "foundation/OsmeraDefs.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/StringItem.h"
#include "foundation/Strings.h"

// The library's wildcard rules (not the system's), case ignored:
//   "?" any one character; "*" runs up to the next dot on both sides, so
//   "*.wav" does not match "a.b.wav" and "*.*" needs a dot;
//   "<text.ext" matches names whose part before the first dot contains
//   "text" and that match "*.ext"; "<*..." is "*...".
OSMERA_API int MatchFileType(char const *pattern, char const *name);

// A file collected for reporting after the walk.
class OSMERA_API FoundFile : public ListElement {
public:
    FoundFile(FileName const &name, WIN32_FIND_DATAA const &record);
    virtual ~FoundFile();
    virtual CollectionElement *CreateClone(void const *arg) const;

    FileName const &GetName() const { return name_; }
    WIN32_FIND_DATAA const &GetRecord() const { return record_; }

private:
    FileName name_;
    WIN32_FIND_DATAA record_;
};

class OSMERA_API FileScanner {
public:
    FileScanner(FileName const &root, String const *fileType = nullptr, int deferred = 0, int recursive = 0);
    FileScanner(List<FileName> const &roots, String const *fileType = nullptr, int deferred = 0, int recursive = 0);
    FileScanner(FileScanner const &other);
    FileScanner &operator=(FileScanner const &other);
    virtual ~FileScanner();

    void Reset(FileName const &root, String const *fileType, int deferred, int recursive);
    void Reset(List<FileName> const &roots, String const *fileType, int deferred, int recursive);
    void AddFileType(String const &pattern);

    // Without registered types each root is "folder\pattern|pattern|...";
    // with types each root is a folder.
    void Run();
    // Runs once appending the accepted files to names instead of reporting them.
    void SetFileNameList(List<FileName> &names);

    String GetFirst();
    String GetNext();
    unsigned long GetNumFile() const { return static_cast<unsigned long>(found_.GetCount()); }
    unsigned long GetTotalSize() const { return totalSize_; }
    unsigned long GetNumFilesAccepted() const { return numFiles_; }

protected:
    virtual int UserBreak();
    virtual int OnFile(FileName const &name, WIN32_FIND_DATAA const *record, unsigned long index);
    virtual int Filter(FileName const &name, WIN32_FIND_DATAA const *record);
    virtual void OnDirectory(FileName const &folder);
    virtual void OnStartRealScan();
    virtual void OnEndRealScan();

private:
    void ResetState(String const *fileType, int deferred, int recursive);
    int ScanOneDirectory(char const *folder, char const *pattern);
    int AcceptFile(String const &folder, WIN32_FIND_DATAA const &record);
    void ScanRootWithPatterns(FileName const &root);

    unsigned long totalSize_;
    unsigned long numFiles_;
    List<FileName> *output_;
    unsigned long index_;
    int deferred_;
    List<StringItem<ListElement>> types_;
    List<FoundFile> found_;
    List<FileName> roots_;
    FoundFile *cursor_;
    int cursorAtEnd_;
    int recursive_;
};
