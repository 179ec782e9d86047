#include "audio/VirtualFile.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

enum { kTextTooLong = 10060 };

int64_t const kLongestFile = 0x7FFFFFFF;

}  // namespace

VirtualFile::VirtualFile(AFileSegmentFactory const &factory) : factory_(&factory) {}

VirtualFile::VirtualFile(VirtualFile const &other) : factory_(other.factory_) {
    try {
        AppendClonesOf(other);
    } catch (...) {
        Clear();
        throw;
    }
}

// The clones are made aside: a failure leaves this file as it was.
VirtualFile &VirtualFile::operator=(VirtualFile const &other) {
    if (this != &other) {
        VirtualFile copy(*factory_);
        copy.AppendClonesOf(other);
        SwapSegments(copy);
    }
    return *this;
}

VirtualFile::~VirtualFile() { Clear(); }

void VirtualFile::SwapSegments(VirtualFile &other) {
    std::swap(first_, other.first_);
    std::swap(last_, other.last_);
    std::swap(count_, other.count_);
}

void VirtualFile::AppendClonesOf(VirtualFile const &other) {
    for (AFileSegment *s = other.first_; s; s = s->next_)
        LinkAfter(factory_->Clone(*s), last_);
}

void VirtualFile::TakeFrom(VirtualFile *other) {
    if (other == this)
        return;
    if (other->factory_ == factory_)
        SwapSegments(*other);
    else
        *this = *other;
    delete other;
}

void VirtualFile::Clear() {
    if (first_)
        DeleteRun(first_, last_);
}

bool VirtualFile::IsEqual(VirtualFile const &other) const {
    if (count_ != other.count_ || GetLength() != other.GetLength())
        return false;
    for (AFileSegment *a = first_, *b = other.first_; a; a = a->next_, b = b->next_)
        if (!a->IsEqual(*b))
            return false;
    return true;
}

// Edits at the end of long lists are as quick as at the start: the search runs from the
// nearer end.
AFileSegment *VirtualFile::FindSegment(int32_t position) const {
    if (!last_ || position > last_->end_)
        return nullptr;
    if (position > last_->end_ / 2) {
        AFileSegment *s = last_;
        while (s->previous_ && s->previous_->end_ >= position)
            s = s->previous_;
        return s;
    }
    AFileSegment *s = first_;
    while (s->end_ < position)
        s = s->next_;
    return s;
}

int VirtualFile::ForEachSegment(int (*f)(AFileSegment &, int), int arg) const {
    for (AFileSegment *s = first_; s; s = s->next_)
        if (int answer = f(*s, arg))
            return answer;
    return 0;
}

AFileSegment *VirtualFile::NewSegmentLike(AFileSegment const &model, int32_t offset, int32_t length) const {
    AFileSegment *s = factory_->Clone(model);
    s->offset_ = model.IsSilent() ? 0 : offset;
    s->length_ = length;
    s->start_ = 0;
    s->end_ = length - 1;
    s->padding_ = false;
    return s;
}

// ---- links

void VirtualFile::Link(AFileSegment *segment, AFileSegment *before) {
    segment->next_ = before;
    segment->previous_ = before ? before->previous_ : last_;
    (segment->previous_ ? segment->previous_->next_ : first_) = segment;
    (before ? before->previous_ : last_) = segment;
    ++count_;
}

void VirtualFile::LinkAfter(AFileSegment *segment, AFileSegment *after) {
    Link(segment, after ? after->next_ : first_);
}

void VirtualFile::Unlink(AFileSegment *segment) {
    (segment->previous_ ? segment->previous_->next_ : first_) = segment->next_;
    (segment->next_ ? segment->next_->previous_ : last_) = segment->previous_;
    segment->next_ = segment->previous_ = nullptr;
    --count_;
}

void VirtualFile::DeleteRun(AFileSegment *first, AFileSegment *last) {
    AFileSegment *stop = last->next_;
    for (AFileSegment *s = first; s != stop;) {
        AFileSegment *next = s->next_;
        Unlink(s);
        delete s;
        s = next;
    }
}

void VirtualFile::CheckRoom(int64_t newLength) const {
    if (newLength > kLongestFile)
        throw Exception(String(FindString(kTextTooLong)));
}

// ---- inserting

AFileSegment *VirtualFile::SplitAt(int32_t position) {
    if (position > GetLength())
        AppendSilence(position - GetLength());
    AFileSegment *s = FindSegment(position);
    if (!s || s->start_ == position)
        return s;
    AFileSegment *tail = factory_->Clone(*s);
    int32_t head = position - s->start_;
    tail->KeepLast(s->length_ - head);
    s->KeepFirst(head);
    LinkAfter(tail, s);
    return tail;
}

void VirtualFile::InsertSegment(AFileSegment *segment, int32_t position) {
    std::unique_ptr<AFileSegment> owned(segment);
    if (segment->length_ < 1)
        return;
    position = std::max(position, 0);
    CheckRoom(std::max<int64_t>(position, GetLength()) + segment->length_);
    AFileSegment *at = SplitAt(position);
    Link(owned.release(), at);
    Renumber(0);
    MergeContinuations();
}

void VirtualFile::InsertSilence(int32_t position, int32_t frames) {
    InsertSegment(factory_->NewSilence(frames), position);
}

void VirtualFile::AppendSilence(int32_t frames) {
    if (frames > 0)
        InsertSilence(GetLength(), frames);
}

void VirtualFile::AppendPadding(int32_t frames) {
    if (frames <= 0)
        return;
    AFileSegment *padding = factory_->NewSilence(frames);
    padding->padding_ = true;
    InsertSegment(padding, GetLength());
}

// The list goes in as one chain: one search and one renumbering, whatever its length.
void VirtualFile::InsertWith(VirtualFile *list, int32_t position) {
    std::unique_ptr<VirtualFile> owned(list);
    position = std::max(position, 0);
    CheckRoom(std::max<int64_t>(position, GetLength()) + list->GetLength());
    if (!list->first_) {
        AppendSilence(position - GetLength());
        return;
    }
    AFileSegment *at = SplitAt(position);
    AFileSegment *head = list->first_;
    AFileSegment *tail = list->last_;
    count_ += list->count_;
    list->first_ = list->last_ = nullptr;
    list->count_ = 0;
    head->previous_ = at ? at->previous_ : last_;
    tail->next_ = at;
    (head->previous_ ? head->previous_->next_ : first_) = head;
    (at ? at->previous_ : last_) = tail;
    Renumber(0);
    MergeContinuations();
}

void VirtualFile::Insert(VirtualFile const &file, int32_t position) { InsertWith(factory_->CopyFile(file), position); }

void VirtualFile::OverwriteWith(VirtualFile *list, int32_t position) {
    std::unique_ptr<VirtualFile> owned(list);
    position = std::max(position, 0);
    CheckRoom(int64_t(position) + list->GetLength());
    if (position > GetLength())
        AppendSilence(position - GetLength());
    Remove(position, position + list->GetLength() - 1);
    InsertWith(owned.release(), position);
}

void VirtualFile::Overwrite(VirtualFile const &file, int32_t position) {
    OverwriteWith(file.GetFactory().CopyFile(file), position);
}

void VirtualFile::MoveOverwrite(int32_t first, int32_t last, int32_t destination) {
    std::unique_ptr<VirtualFile> copy(Copy(first, last));
    Silence(first, last);
    OverwriteWith(copy.release(), destination);
}

// ---- removing

void VirtualFile::Remove(int32_t first, int32_t last) {
    first = std::max(first, 0);
    if (int64_t(first) == int64_t(last) + 1 || !first_)
        return;
    AFileSegment *a = FindSegment(first);
    if (!a)
        return;
    last = std::min(last, GetLength() - 1);
    if (last < first)
        return;
    AFileSegment *b = FindSegment(last);
    if (a != b) {
        AFileSegment *runFirst = a, *runLast = b;
        if (a->start_ != first) {
            a->KeepFirst(first - a->start_);
            runFirst = a->next_;
        }
        if (b->end_ != last) {
            b->KeepLast(b->end_ - last);
            runLast = b->previous_;
        }
        if (runFirst != runLast->next_)
            DeleteRun(runFirst, runLast);
    } else if (a->start_ == first && a->end_ == last) {
        DeleteRun(a, a);
    } else if (a->start_ == first) {
        a->KeepLast(a->end_ - last);
    } else if (a->end_ == last) {
        a->KeepFirst(first - a->start_);
    } else {
        AFileSegment *tail = factory_->Clone(*a);
        tail->KeepLast(a->end_ - last);
        a->KeepFirst(first - a->start_);
        LinkAfter(tail, a);
    }
    Renumber(0);
    MergeContinuations();
}

VirtualFile *VirtualFile::Copy(int32_t first, int32_t last) const {
    std::unique_ptr<VirtualFile> result(factory_->CopyFile(VirtualFile(*factory_)));
    first = std::max(first, 0);
    if (int64_t(last) - first + 1 <= 0 || first >= GetLength())
        return result.release();
    last = std::min(last, GetLength() - 1);
    for (AFileSegment *s = FindSegment(first); s && s->start_ <= last; s = s->next_) {
        int32_t from = std::max(first, s->start_);
        int32_t to = std::min(last, s->end_);
        AFileSegment *piece = NewSegmentLike(*s, s->offset_ + (from - s->start_), to - from + 1);
        result->LinkAfter(piece, result->last_);
    }
    result->Renumber(0);
    result->MergeContinuations();
    return result.release();
}

VirtualFile *VirtualFile::Cut(int32_t first, int32_t last) {
    std::unique_ptr<VirtualFile> copy(Copy(first, last));
    Remove(first, last);
    return copy.release();
}

void VirtualFile::Silence(int32_t first, int32_t last) {
    first = std::max(first, 0);
    if (last < first)
        return;
    Remove(first, last);
    if (first_)
        InsertSilence(first, last - first + 1);
}

int VirtualFile::DropTrailingSilence() {
    if (!last_ || !last_->IsSilent() || !last_->padding_)
        return 0;
    DeleteRun(last_, last_);
    return 1;
}

void VirtualFile::Renumber(int32_t first) {
    int32_t position = first;
    for (AFileSegment *s = first_; s; s = s->next_) {
        s->start_ = position;
        s->end_ = position + s->length_ - 1;
        position += s->length_;
    }
}

void VirtualFile::MergeContinuations() {
    for (AFileSegment *s = first_; s && s->next_;) {
        AFileSegment *next = s->next_;
        if (!s->IsContinuation(*next)) {
            s = next;
            continue;
        }
        s->length_ += next->length_;
        s->end_ = next->end_;
        DeleteRun(next, next);
    }
}

int EqualizeLengths(VirtualFile &a, VirtualFile &b) {
    int32_t lengthA = a.GetLength(), lengthB = b.GetLength();
    a.DropTrailingSilence();
    b.DropTrailingSilence();
    a.AppendPadding(b.GetLength() - a.GetLength());
    b.AppendPadding(a.GetLength() - b.GetLength());
    return a.GetLength() != lengthA || b.GetLength() != lengthB;
}

// ---- channel lists

int VirtualWave::Compare(CollectionElement const &other, int) const {
    return IsEqual(static_cast<VirtualWave const &>(other)) ? 0 : 1;
}

CollectionElement *VirtualWave::CreateClone(void const *) const { return new VirtualWave(*this); }

int ElementList::SumOfSegmentCounts() const {
    int sum = 0;
    for (VirtualWave *w = GetFirst(); w; w = GetNext(w))
        sum += w->GetSegmentCount();
    return sum;
}

bool ElementList::AreEqual(ElementList const &a, ElementList const &b) { return DoubleList::AreEqual(a, b, 0) != 0; }
