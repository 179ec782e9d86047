#include "foundation/FileScanner.h"

#include <string.h>

#include "foundation/StringUtils.h"

namespace {

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

int MatchPlain(char const *p, char const *n) {
    for (;;) {
        if (!*p)
            return !*n;
        if (*p == '?') {
            if (!*n)
                return 0;
        } else if (*p == '*') {
            // a star never reaches across a dot
            while (*p && *p != '.')
                ++p;
            while (*n && *n != '.')
                ++n;
            continue;
        } else if (Lower(*p) != Lower(*n)) {
            return 0;
        }
        ++p;
        ++n;
    }
}

// Whether the first length characters of text hold needle, case ignored.
int ContainsNoCase(char const *text, size_t length, char const *needle, size_t needleLength) {
    if (needleLength > length)
        return 0;
    for (size_t i = 0; i + needleLength <= length; ++i) {
        size_t k = 0;
        while (k < needleLength && Lower(text[i + k]) == Lower(needle[k]))
            ++k;
        if (k == needleLength)
            return 1;
    }
    return 0;
}

// Closes a directory search however the walk is left.
class FindHandle {
public:
    FindHandle(char const *search, WIN32_FIND_DATAA *record) : handle_(FindFirstFileA(search, record)) {}
    ~FindHandle() {
        if (IsValid())
            FindClose(handle_);
    }
    int IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    int Next(WIN32_FIND_DATAA *record) { return FindNextFileA(handle_, record) != 0; }

private:
    FindHandle(FindHandle const &) = delete;
    FindHandle &operator=(FindHandle const &) = delete;
    HANDLE handle_;
};

inline int IsSubFolder(WIN32_FIND_DATAA const &record) {
    return (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && record.cFileName[0] != '.';
}

}  // namespace

int MatchFileType(char const *pattern, char const *name) {
    if (!pattern || !name)
        return 0;
    if (pattern[0] != '<')
        return MatchPlain(pattern, name);
    if (pattern[1] == '*')
        return MatchPlain(pattern + 1, name);
    // "<text.ext": the name's part before its first dot holds text, and the
    // name matches "*.ext".
    char const *text = pattern + 1;
    char const *patternDot = strchr(text, '.');
    size_t textLength = patternDot ? static_cast<size_t>(patternDot - text) : strlen(text);
    char const *nameDot = strchr(name, '.');
    size_t titleLength = nameDot ? static_cast<size_t>(nameDot - name) : strlen(name);
    if (!ContainsNoCase(name, titleLength, text, textLength))
        return 0;
    String rest("*");
    if (patternDot)
        rest.Append(patternDot);
    return MatchPlain(rest.c_str(), name);
}

// ---------------------------------------------------------------- FoundFile

FoundFile::FoundFile(FileName const &name, WIN32_FIND_DATAA const &record) : name_(name), record_(record) {}

FoundFile::~FoundFile() {}

CollectionElement *FoundFile::CreateClone(void const *) const { return new FoundFile(name_, record_); }

// ---------------------------------------------------------------- FileScanner

FileScanner::FileScanner(FileName const &root, String const *fileType, int deferred, int recursive)
    : totalSize_(0), numFiles_(0), output_(nullptr), index_(0), deferred_(0), cursor_(nullptr), cursorAtEnd_(0),
      recursive_(0) {
    Reset(root, fileType, deferred, recursive);
}

FileScanner::FileScanner(List<FileName> const &roots, String const *fileType, int deferred, int recursive)
    : totalSize_(0), numFiles_(0), output_(nullptr), index_(0), deferred_(0), cursor_(nullptr), cursorAtEnd_(0),
      recursive_(0) {
    Reset(roots, fileType, deferred, recursive);
}

FileScanner::FileScanner(FileScanner const &other)
    : totalSize_(0), numFiles_(0), output_(nullptr), index_(0), deferred_(0), cursor_(nullptr), cursorAtEnd_(0),
      recursive_(0) {
    *this = other;
}

FileScanner &FileScanner::operator=(FileScanner const &other) {
    if (this == &other)
        return *this;
    totalSize_ = other.totalSize_;
    numFiles_ = other.numFiles_;
    output_ = other.output_;
    index_ = other.index_;
    deferred_ = other.deferred_;
    types_ = other.types_;
    found_ = other.found_;
    roots_ = other.roots_;
    recursive_ = other.recursive_;
    cursorAtEnd_ = other.cursorAtEnd_;
    // the cursor stands on the same place of the copied list
    cursor_ = nullptr;
    if (other.cursor_) {
        int at = other.found_.FindIndexOfMember(*other.cursor_);
        cursor_ = at >= 0 ? static_cast<FoundFile *>(found_[at]) : nullptr;
    }
    return *this;
}

FileScanner::~FileScanner() {}

void FileScanner::ResetState(String const *fileType, int deferred, int recursive) {
    deferred_ = deferred;
    recursive_ = recursive;
    cursor_ = nullptr;
    cursorAtEnd_ = 0;
    totalSize_ = 0;
    numFiles_ = 0;
    index_ = 0;
    found_.Clear();
    types_.Clear();
    if (fileType)
        AddFileType(*fileType);
}

void FileScanner::Reset(FileName const &root, String const *fileType, int deferred, int recursive) {
    roots_.Clear();
    roots_.Append(new FileName(root));
    ResetState(fileType, deferred, recursive);
}

void FileScanner::Reset(List<FileName> const &roots, String const *fileType, int deferred, int recursive) {
    if (&roots != &roots_)
        roots_ = roots;
    ResetState(fileType, deferred, recursive);
}

void FileScanner::AddFileType(String const &pattern) { types_.Append(new StringItem<ListElement>(pattern)); }

int FileScanner::UserBreak() { return 0; }
int FileScanner::OnFile(FileName const &, WIN32_FIND_DATAA const *, unsigned long) { return 1; }
int FileScanner::Filter(FileName const &, WIN32_FIND_DATAA const *) { return 1; }
void FileScanner::OnDirectory(FileName const &) {}
void FileScanner::OnStartRealScan() {}
void FileScanner::OnEndRealScan() {}

void FileScanner::Run() {
    OnStartRealScan();
    index_ = 0;
    for (FileName *root = roots_.GetFirst(); root; root = roots_.GetNext(root)) {
        if (types_.IsEmpty())
            ScanRootWithPatterns(*root);
        else
            ScanOneDirectory(root->c_str(), "*.*");
    }
    OnEndRealScan();
    if (deferred_ && !output_) {
        for (FoundFile *file = found_.GetFirst(); file; file = found_.GetNext(file))
            if (!OnFile(file->GetName(), &file->GetRecord(), index_++))
                break;
    }
}

// "folder\pattern|pattern|...": the patterns are this root's file types.
void FileScanner::ScanRootWithPatterns(FileName const &root) {
    List<StringItem<ListElement>> pieces;
    ExplodeString(pieces, root.c_str(), "|", 0);
    StringItem<ListElement> *first = pieces.GetFirst();
    if (!first)
        return;
    String folder = first->GetPath();
    String title = first->GetTitle(1);
    if (title.IsEmpty())
        return;
    // one named file is searched by its name
    String search("*.*");
    if (pieces.GetCount() == 1 && !title.Contains('*', 1) && !title.Contains('?', 1))
        search = title;
    struct TypesForThisRoot {
        List<StringItem<ListElement>> &types;
        ~TypesForThisRoot() { types.Clear(); }
    } guard = {types_};
    AddFileType(title);
    for (StringItem<ListElement> *piece = pieces.GetNext(first); piece; piece = pieces.GetNext(piece))
        AddFileType(*piece);
    ScanOneDirectory(folder.c_str(), search.c_str());
}

int FileScanner::AcceptFile(String const &folder, WIN32_FIND_DATAA const &record) {
    for (StringItem<ListElement> *type = types_.GetFirst(); type; type = types_.GetNext(type)) {
        if (!MatchFileType(type->c_str(), record.cFileName))
            continue;
        // taken once, however many types it matches
        FileName name(folder);
        name.Append(record.cFileName);
        if (!Filter(name, &record))
            return 1;
        totalSize_ += record.nFileSizeLow;
        ++numFiles_;
        if (output_)
            output_->Append(new FileName(name));
        else if (deferred_)
            found_.Append(new FoundFile(name, record));
        else if (!OnFile(name, &record, index_++))
            return 0;
        return 1;
    }
    return 1;
}

int FileScanner::ScanOneDirectory(char const *folderText, char const *pattern) {
    OnDirectory(FileName(folderText));
    String folder(folderText);
    if (folder.GetLastChar() != '\\')
        folder.Append("\\");
    String search(folder);
    search.Append(pattern);

    WIN32_FIND_DATAA record;
    int hasSubFolders = 0;
    {
        FindHandle find(search.c_str(), &record);
        if (!find.IsValid())
            return 1;
        do {
            if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                hasSubFolders |= IsSubFolder(record);
            else if (!AcceptFile(folder, record))
                return 0;
            if (UserBreak())
                return 0;
        } while (find.Next(&record));
    }
    if (!hasSubFolders || !recursive_)
        return 1;
    FindHandle find(search.c_str(), &record);
    if (!find.IsValid())
        return 1;
    do {
        if (UserBreak())
            return 0;
        if (IsSubFolder(record)) {
            String sub(folder);
            sub.Append(record.cFileName);
            if (!ScanOneDirectory(sub.c_str(), pattern))
                return 0;
        }
    } while (find.Next(&record));
    return 1;
}

void FileScanner::SetFileNameList(List<FileName> &names) {
    struct Forget {
        List<FileName> *&output;
        ~Forget() { output = nullptr; }
    } forget = {output_};
    output_ = &names;
    Run();
}

String FileScanner::GetFirst() {
    cursor_ = found_.GetFirst();
    cursorAtEnd_ = cursor_ == nullptr;
    return cursor_ ? String(cursor_->GetName()) : String();
}

String FileScanner::GetNext() {
    if (cursorAtEnd_)
        return String();
    cursor_ = cursor_ ? found_.GetNext(cursor_) : found_.GetFirst();
    cursorAtEnd_ = cursor_ == nullptr;
    return cursor_ ? String(cursor_->GetName()) : String();
}
