// The text and block forms of Config, its file stamp and the path-list form.
#include "foundation/Config.h"

#include <windows.h>

#include <string.h>

#include "foundation/Exception.h"
#include "foundation/File.h"
#include "malvane/Malvane.h"
#include "foundation/MemoryStream.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"

namespace {

char const SystemGroup[] = "\\__System";
char const StampValue[] = "config";

// A block of the default heap, freed unless released.
class HeapBlock {
public:
    explicit HeapBlock(char *block = nullptr) : block_(block) {}
    ~HeapBlock() {
        if (block_)
            NH_Heap::FreeMem(block_);
    }
    char *Get() const { return block_; }

private:
    HeapBlock(HeapBlock const &) = delete;
    HeapBlock &operator=(HeapBlock const &) = delete;
    char *block_;
};

// A bare name that would read back as something else (a brace, or a name
// whose trailing blank the reader trims) keeps its "=".
int NeedsEquals(String const &name) {
    char last = name.GetLastChar();
    return name == "{" || name == "}" || last == ' ' || last == '\t';
}

}  // namespace

// ---- writer

void Config::WriteGroup(MemoryStream &out, ConfigKey const &group) {
    out.Put('\t', depth_);
    out.PutLine(group.name_);
    out.Put('\t', depth_);
    out.PutLine("{");
    for (ConfigKey *key = group.GetFirstChild(); key; key = key->GetNext()) {
        if (key->IsValue()) {
            out.Put('\t', depth_ + 1);
            if (key->text_.IsEmpty() && !NeedsEquals(key->name_)) {
                out.PutLine(key->name_);
            } else {
                out.PutString(key->name_, 0);
                out.Put('=');
                out.PutLine(key->text_);
            }
        } else if (key->GetNumChildren()) {
            ++depth_;
            WriteGroup(out, *key);
            --depth_;
        }
    }
    out.Put('\t', depth_);
    out.PutLine("}");
}

char *Config::GetAsBlock(unsigned int *size) {
    DeleteEmptyGroups();
    MemoryStream out(2048, 0);
    depth_ = 0;
    try {
        WriteGroup(out, root_);
    } catch (...) {
        NH_Heap::FreeMem(out.GetStart());
        throw;
    }
    if (size)
        *size = static_cast<unsigned int>(out.GetLength());
    current_ = &root_;
    return static_cast<char *>(out.GetStart());
}

// ---- reader

// The next non-empty line, trimmed; empty at the end of the block.
String Config::ReadSourceLine(MemoryStream &in) {
    while (!in.End()) {
        String line = in.GetLine();
        line.Trim();
        if (!line.IsEmpty())
            return line;
    }
    return String();
}

// One line of look-ahead tells a group header (a line followed by "{").
String Config::GetNextLine(MemoryStream &in, int *isHeader) {
    *isHeader = 0;
    if (pendingLine_.IsEmpty())
        pendingLine_ = ReadSourceLine(in);
    String line = pendingLine_;
    if (line.IsEmpty())
        return line;
    String following = ReadSourceLine(in);
    if (following == "{") {
        *isHeader = 1;
        pendingLine_ = ReadSourceLine(in);
    } else {
        pendingLine_ = following;
    }
    return line;
}

// Reads groups and values into the tree. The nesting is counted rather than
// recursed so that no file can exhaust the stack; groups deeper than
// MaxReadDepth are merged into the deepest one.
void Config::ReadGroup(MemoryStream &in) {
    int merged = 0;
    for (;;) {
        int isHeader;
        String line = GetNextLine(in, &isHeader);
        if (line.IsEmpty())
            return;
        if (line == "}") {
            if (merged) {
                --merged;
                continue;
            }
            if (depth_ == 0)
                return;  // the top group is closed: the rest is ignored
            if (--depth_ != 0)
                MoveUp();
            continue;
        }
        if (isHeader) {
            if (depth_ == 0) {
                root_.name_ = line;
            } else if (depth_ >= MaxReadDepth) {
                ++merged;
                continue;
            } else {
                MoveDown(line, 0);
            }
            ++depth_;
            continue;
        }
        long equals = line.FindFirst('=', 1);
        if (equals <= 0) {
            CreateKey(line);
        } else {
            String name = line.Left(static_cast<unsigned long>(equals));
            String text = line.Mid(static_cast<unsigned long>(equals) + 1, static_cast<unsigned long>(-1));
            SetValue(text, name.c_str(), 0);
        }
    }
}

void Config::BuildFromBlock(char const *block, unsigned int size) {
    if (!block)
        return;
    Clear();
    autoCreate_ = 1;
    pendingLine_.Clear();
    depth_ = 0;
    MemoryStream in(static_cast<void const *>(block), size);
    ReadGroup(in);
    pendingLine_.Clear();
    depth_ = 0;
    current_ = &root_;
    DeleteEmptyGroups();
    current_ = &root_;
}

// ---- files

void Config::Load(FileName const &file) {
    if (file.IsEmpty())
        return;
    if (!File::Exist(file, File::kFile)) {
        if (mode_ & MustExist)
            ExceptionThrower(0).SetAndThrow(String(BuildString(18000, file.c_str())),
                                            static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
        return;
    }
    File in(file, File::kRead | File::kShareReadWrite);
    long size = in.GetSize();
    HeapBlock block(static_cast<char *>(NH_Heap::GetDefault().Alloc(size > 0 ? size : 1, 0)));
    in.Read(block.Get(), size, 1, nullptr);
    BuildFromBlock(block.Get(), static_cast<unsigned int>(size));
    if (mode_ & FileStamp) {
        FILETIME lastWrite;
        in.GetDateTime(nullptr, nullptr, &lastWrite);
        int allowed = autoCreate_;
        autoCreate_ = 1;
        MoveAbsolute(SystemGroup);
        autoCreate_ = allowed;
        unsigned long stamp[2];
        GetBinary(stamp, nullptr, 8, StampValue, 0);
        wrongFileTime_ = !(stamp[0] == lastWrite.dwLowDateTime && stamp[1] == lastWrite.dwHighDateTime);
    }
    current_ = &root_;
}

// The stamp is the last-write time of a fresh file in the target's folder; the
// saved file gets that file's times so that its own time equals the stamp.
void Config::Save(FileName const &file, int) {
    if (file.IsEmpty())
        return;
    FILETIME times[3];
    int stamped = 0;
    if (mode_ & FileStamp) {
        FileName target(file);
        target.EnsureFullFileName();
        {
            File probe(FileName(target.GetPath()), File::kTempInDirectory | File::kDeleteOnClose);
            probe.GetDateTime(&times[0], &times[1], &times[2]);
        }
        int allowed = autoCreate_;
        autoCreate_ = 1;
        MoveAbsolute(SystemGroup);
        autoCreate_ = allowed;
        SetBinary(&times[2], 8, StampValue, 0);
        stamped = 1;
    }
    // a read-only settings file is the user's wish to keep it as it is
    if (File::IsWriteProtected(file))
        ExceptionThrower(0).SetAndThrow(String(BuildString(18016, file.c_str())),
                                        static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    unsigned int size = 0;
    HeapBlock block(GetAsBlock(&size));
    // written beside the target and put in place only once complete
    File::SaveFile(file, block.Get(), size);
    if (stamped)
        File::SetDateTime(file, &times[0], &times[1], &times[2]);
}

// ---- path lists

namespace {

struct PathListWalk {
    List<StringItem<ListElement>> *list;
    ConfigKey const *root;
};

void AddValuePath(ConfigKey &key, void *data) {
    PathListWalk &walk = *static_cast<PathListWalk *>(data);
    if (!key.IsValue())
        return;
    String path(key.GetName());
    for (ConfigKey const *group = key.GetParent(); group && group != walk.root; group = group->GetParent()) {
        path.Prepend("\\", static_cast<unsigned long>(-1));
        path.Prepend(group->GetName(), static_cast<unsigned long>(-1));
    }
    if (!path.IsEmpty())
        walk.list->Append(new StringItem<ListElement>(path));
}

}  // namespace

unsigned long Config::GetAsPathList(List<StringItem<ListElement>> &list) {
    list.Clear();
    PathListWalk walk = {&list, &root_};
    ForEachKey(&root_, AddValuePath, &walk);
    return static_cast<unsigned long>(list.GetCount());
}

void Config::SaveAsPathList(FileName const &file) {
    List<StringItem<ListElement>> list;
    GetAsPathList(list);
    File::WriteLines(file, list, 0);
}

void Config::LoadFromPathList(FileName const &file) {
    List<StringItem<ListElement>> list;
    File::ReadLines(file, list, 1, 1);
    BuildFromPathList(list);
}

void Config::BuildFromPathList(List<StringItem<ListElement>> const &list) {
    Clear();
    autoCreate_ = 1;
    List<StringItem<ListElement>> parts;
    for (StringItem<ListElement> *path = list.GetFirst(); path; path = list.GetNext(path)) {
        current_ = &root_;
        ExplodeString(parts, path->c_str(), "\\", 1);
        StringItem<ListElement> *last = parts.GetLast();
        if (!last)
            continue;
        for (StringItem<ListElement> *part = parts.GetFirst(); part != last; part = parts.GetNext(part))
            MoveDown(*part, 0);
        CreateKey(*last);
    }
}
