#include "foundation/FileName.h"

#include <windows.h>

#include <cctype>

#include "foundation/StringUtils.h"

namespace {

char const kSeparators[] = "\\/:";

long LastSeparator(String const &s) { return s.FindLast(String::PathSeparator()); }

// The text as path components (at '\\', '/' and ':', trimmed, none empty).
void Components(String const &path, List<StringItem<ListElement> > &parts) {
    ExplodeString(parts, path.c_str(), kSeparators, 1);
}

SubString Take(String &s) { return SubString::TransformToSubString(s); }

}  // namespace

// ---- path members of String ----

int String::ContainsDrive() const {
    return GetLength() >= 2 && std::isalpha(static_cast<unsigned char>(text_[0])) && text_[1] == DriveSeparator();
}

int String::ContainsPath() const { return FindFirst(PathSeparator()) >= 0; }

int String::GetDriveIndex() const {
    return ContainsDrive() ? std::toupper(static_cast<unsigned char>(text_[0])) - 'A' : -1;
}

SubString String::GetDrive(int *index) const {
    int drive = GetDriveIndex();
    if (index)
        *index = drive;
    if (drive < 0)
        return SubString::CreateNull();
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[0])));
    return SubString::Create(&letter, 1);
}

String &String::SetDrive(String const &drive) {
    if (ContainsDrive())
        Remove(0, 2);
    if (GetFirstChar() != PathSeparator())
        Prepend(PathSeparator());
    Prepend(DriveSeparator());
    return Prepend(drive);
}

String &String::SetDrive(int index) {
    if (index < 0 || index >= 26)
        return *this;
    return SetDrive(String(static_cast<char>('A' + index), 1));
}

String &String::PrependVolumeName(String const &volume) {
    if (ContainsDrive())
        return Replace(0, 2, volume);
    return Prepend(volume);
}

SubString String::GetPath() const {
    long separator = LastSeparator(*this);
    return separator < 0 ? Mid(0) : Left(separator);
}

SubString String::GetTitle(int withExtension) const {
    String title = Mid(LastSeparator(*this) + 1);
    if (!withExtension) {
        long dot = title.FindLast('.');
        if (dot >= 0)
            title.KeepLeft(dot);
    }
    return Take(title);
}

SubString String::GetExtension(int withDot) const {
    long dot = FindLast('.');
    if (dot < 0 || dot < LastSeparator(*this))
        return SubString::CreateNull();
    return Mid(withDot ? dot : dot + 1);
}

String &String::SetExtension(String const &extension) {
    long dot = FindLast('.');
    if (dot >= 0 && dot > LastSeparator(*this))
        KeepLeft(dot);
    // Taken with or without its dot.
    char const *text = extension.c_str();
    if (*text == '.')
        ++text;
    if (*text) {
        Append('.');
        Append(text);
    }
    return *this;
}

int String::IsValidFileName() const {
    return !IsEmpty() && ContainsDrive() && ContainsPath() && !String(GetTitle(1)).IsEmpty();
}

String &String::AppendTitleAndMakeFullFileName(String const &title) {
    if (!ContainsDrive())
        AddCurrentDrive();
    if (GetLastChar() != PathSeparator())
        Append(PathSeparator());
    char const *text = title.c_str();
    if (*text == PathSeparator())
        ++text;
    return Append(text);
}

String &String::EnsureFullFileName() {
    if (ContainsDrive())
        return *this;
    return ContainsPath() ? AddCurrentDrive() : AddCurrentPath();
}

String &String::AddCurrentDrive() {
    if (IsEmpty() || GetFirstChar() != PathSeparator())
        Prepend(PathSeparator());
    Prepend(DriveSeparator());
    return Prepend(GetCurrentDrive());
}

String &String::AddCurrentPath() {
    if (GetFirstChar() != PathSeparator())
        Prepend(PathSeparator());
    String folder = GetCurrentPath();
    // A drive root already ends with the separator.
    if (folder.GetLastChar() == PathSeparator())
        folder.RemoveRight(1);
    return Prepend(folder);
}

char String::GetCurrentDrive() {
    String folder = GetCurrentPath();
    return static_cast<char>(std::toupper(static_cast<unsigned char>(folder.GetFirstChar())));
}

SubString String::GetCurrentPath() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer)
        return SubString::CreateNull();
    return SubString::Create(buffer, n);
}

SubString String::GetPathBelow(String *top) const {
    String copy(*this);
    copy.Trim("\\", 3);
    long separator = copy.FindFirst(PathSeparator());
    if (separator < 0) {
        if (top)
            *top = copy;
        return SubString::CreateNull();
    }
    if (top)
        *top = copy.Left(separator);
    return copy.Mid(separator + 1);
}

SubString String::GetSummary(unsigned long maxLength) const {
    if (!ContainsDrive())
        return SubString::CreateNull();
    if (GetLength() <= maxLength)
        return Mid(0);
    String folder = GetPath();
    String parent = folder.GetPath();
    String title = GetTitle(1);
    String result;
    if (Compare(folder, parent) == 0)
        result = *this;
    else
        result = parent + "\\...\\" + title;
    if (maxLength == 0)
        return Take(result);
    if (result.GetLength() > maxLength)
        result = String(GetDrive()) + ":\\...\\" + title;
    if (result.GetLength() > maxLength)
        result = "...\\" + title;
    if (result.GetLength() > maxLength) {
        if (maxLength < 3) {
            result.KeepLeft(maxLength);
        } else {
            result.KeepLeft(maxLength - 3);
            result += "...";
        }
    }
    return Take(result);
}

String String::GetRelativeFileName(String const &folder, String const &target) {
    // Names without a drive, or on different drives, have no relative form.
    if (folder.GetDriveIndex() < 0 || folder.GetDriveIndex() != target.GetDriveIndex())
        return String();
    List<StringItem<ListElement> > from;
    List<StringItem<ListElement> > to;
    Components(folder, from);
    Components(target, to);
    from.DeleteFirst();
    to.DeleteFirst();
    while (from.GetCount() > 0 && to.GetCount() > 1 && _stricmp(*from.GetFirst(), *to.GetFirst()) == 0) {
        from.DeleteFirst();
        to.DeleteFirst();
    }
    String result;
    for (StringItem<ListElement> *part = from.GetFirst(); part; part = from.GetNext(part)) {
        if (!result.IsEmpty())
            result += PathSeparator();
        result += "..";
    }
    for (StringItem<ListElement> *part = to.GetFirst(); part; part = to.GetNext(part)) {
        if (!result.IsEmpty())
            result += PathSeparator();
        result += *part;
    }
    return result;
}

String String::GetAbsoluteFileName(String const &folder, String const &relative) {
    // A name with a drive is absolute already; one that starts at the root
    // takes the folder's drive; a folder without a drive gives nothing to build on.
    if (relative.ContainsDrive() || !folder.ContainsDrive())
        return relative;
    if (relative.GetFirstChar() == PathSeparator())
        return String(folder.GetDrive()) + DriveSeparator() + relative;
    List<StringItem<ListElement> > parts;
    List<StringItem<ListElement> > steps;
    Components(folder, parts);
    Components(relative, steps);
    String tail;
    for (StringItem<ListElement> *step = steps.GetFirst(); step; step = steps.GetNext(step)) {
        if (Compare(*step, "..") == 0) {
            // Climbing stops at the drive.
            if (parts.GetCount() > 1)
                parts.DeleteLast();
        } else {
            tail += PathSeparator();
            tail += *step;
        }
    }
    String result = *parts.GetFirst();
    result += DriveSeparator();
    for (StringItem<ListElement> *part = parts.GetNext(parts.GetFirst()); part; part = parts.GetNext(part)) {
        result += PathSeparator();
        result += *part;
    }
    result += tail;
    return result;
}

// ---- FileName ----

FileName::FileName(String const &folder, String const &title) : String(folder) {
    AppendTitleAndMakeFullFileName(title);
}

FileName::~FileName() {}

int FileName::Compare(CollectionElement const &other, int) const {
    return lstrcmpiA(c_str(), static_cast<FileName const &>(other).c_str());
}

CollectionElement *FileName::CreateClone(void const *) const { return new FileName(*this); }

unsigned int FileName::GetHashedValue() const { return 0; }

String FileName::GetApplicationPath() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(0, buffer, MAX_PATH);
    buffer[n < MAX_PATH ? n : MAX_PATH] = 0;
    return String(String(buffer).GetPath());
}

FileName FileName::CreateApplicationRelative(String const &relative) {
    return FileName(GetApplicationPath(), relative);
}
