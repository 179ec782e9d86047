#include "Undo.h"

#include "MessageCatalogue.h"

namespace {

char const noExcludedName[] = "%%%%%%%%";

AUndoMemento *First(List<AUndoMemento> const &list) { return static_cast<AUndoMemento *>(list.GetFirst()); }

AUndoMemento *Next(List<AUndoMemento> const &list, AUndoMemento const *step) {
    return step ? static_cast<AUndoMemento *>(list.GetNext(step)) : nullptr;
}

AUndoMemento *Last(List<AUndoMemento> const &list) { return static_cast<AUndoMemento *>(list.GetLast()); }

}  // namespace

AUndoMemento::AUndoMemento(String const &name, int instance, int packable, int major)
    : actionName_(name), actionInstance_(instance), majorModification_(major), packable_(packable) {}

AUndoMemento::AUndoMemento(char const *name, int instance, int packable, int major)
    : actionName_(name ? name : ""), actionInstance_(instance), majorModification_(major), packable_(packable) {}

AUndoMemento::AUndoMemento(AUndoMemento const &other)
    : ListElement(other), actionName_(other.actionName_), actionInstance_(other.actionInstance_),
      majorModification_(other.majorModification_), packable_(other.packable_) {}

AUndoMemento &AUndoMemento::operator=(AUndoMemento const &other) {
    actionName_ = other.actionName_;
    actionInstance_ = other.actionInstance_;
    majorModification_ = other.majorModification_;
    packable_ = other.packable_;
    return *this;
}

AUndoMemento::~AUndoMemento() = default;

unsigned long AUndoMemento::GetInvolvedMemory() const { return 28; }
unsigned long AUndoMemento::GetInvolvedDiskSpace() const { return 0; }
unsigned long AUndoMemento::GetNumInvolvedFiles() const { return 0; }
int AUndoMemento::CanGroup(AUndoMemento const &) const { return 0; }

AUndoable::AUndoable(int maximum)
    : undoList_(1), redoList_(1), switchedOff_(0), maximum_(maximum), excludedName_(noExcludedName) {}

AUndoable::AUndoable(AUndoable const &other)
    : undoList_(1), redoList_(1), switchedOff_(0), maximum_(other.maximum_), excludedName_(noExcludedName) {
    CopyFrom(other);
}

AUndoable &AUndoable::operator=(AUndoable const &other) {
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void AUndoable::CopyFrom(AUndoable const &other) {
    undoList_ = other.undoList_;
    redoList_ = other.redoList_;
    switchedOff_ = other.switchedOff_;
    maximum_ = other.maximum_;
    excludedName_ = other.excludedName_;
}

AUndoable::~AUndoable() { ClearUndoMementos(); }

unsigned long AUndoable::GetNumInvolvedUndoFiles() const {
    unsigned long sum = 0;
    for (AUndoMemento *s = First(undoList_); s; s = Next(undoList_, s))
        sum += s->GetNumInvolvedFiles();
    return sum;
}

unsigned long AUndoable::GetInvolvedUndoMemory() const {
    unsigned long sum = 0;
    for (AUndoMemento *s = First(undoList_); s; s = Next(undoList_, s))
        sum += s->GetInvolvedMemory();
    for (AUndoMemento *s = First(redoList_); s; s = Next(redoList_, s))
        sum += s->GetInvolvedMemory();
    return sum;
}

unsigned long AUndoable::GetInvolvedUndoDiskSpace() const {
    unsigned long sum = 0;
    for (AUndoMemento *s = First(undoList_); s; s = Next(undoList_, s))
        sum += s->GetInvolvedDiskSpace();
    return sum;
}

int AUndoable::HasMajorModification() const {
    for (AUndoMemento *s = First(undoList_); s; s = Next(undoList_, s))
        if (s->IsMajorModification())
            return 1;
    return 0;
}

int AUndoable::GetNumUndoMementos() const { return undoList_.GetCount(); }
int AUndoable::GetNumRedoMementos() const { return redoList_.GetCount(); }
AUndoMemento *AUndoable::GetFirstUndoMemento() const { return First(undoList_); }
AUndoMemento *AUndoable::GetFirstRedoMemento() const { return First(redoList_); }
AUndoMemento *AUndoable::GetNextUndoMemento(AUndoMemento const *step) const { return Next(undoList_, step); }
AUndoMemento *AUndoable::GetNextRedoMemento(AUndoMemento const *step) const { return Next(redoList_, step); }

String AUndoable::GetPendingUndoName() const {
    AUndoMemento *s = First(undoList_);
    return s ? s->GetActionName() : String();
}

String AUndoable::GetPendingRedoName() const {
    AUndoMemento *s = First(redoList_);
    return s ? s->GetActionName() : String();
}

void AUndoable::AdoptMemento(AUndoMemento *step) { AddToUndoList(step, 0); }

int AUndoable::AdoptMementoIfDifference(AUndoMemento *step, AUndoMemento const &current) {
    if (step && !step->IsEqual(current)) {
        AddToUndoList(step, 0);
        return 1;
    }
    delete step;
    return 0;
}

void AUndoable::EnableUndo(int on) { switchedOff_ = on ? 0 : 1; }

int AUndoable::IsUndoEnabled() const { return maximum_ >= 1 && !switchedOff_; }

int AUndoable::IsUndoEnabledFor(String const &name) const {
    if (!IsUndoEnabled())
        return 0;
    AUndoMemento *newest = First(undoList_);
    if (newest && name == newest->GetActionName() && name == excludedName_)
        return 0;
    return 1;
}

void AUndoable::DoNotSaveUndoMementosWithName(int messageId) {
    excludedName_ = FindString(static_cast<unsigned int>(messageId));
}

void AUndoable::DoNotSaveUndoMementosWithName(String const &name) { excludedName_ = name; }

void AUndoable::SaveUndoMementosWithAnyName() { excludedName_ = noExcludedName; }

void AUndoable::ClearUndoMementos() {
    undoList_.Clear();
    redoList_.Clear();
}

void AUndoable::SetMaxNumOfUndoMementos(int maximum) {
    if (maximum >= maximum_)
        return;
    maximum_ = maximum;
    // A negative maximum empties the lists like 0 does.
    while (undoList_.GetCount() > 0 && undoList_.GetCount() > maximum)
        undoList_.Delete(Last(undoList_));
    while (redoList_.GetCount() > 0 && redoList_.GetCount() > maximum)
        redoList_.Delete(Last(redoList_));
}

void AUndoable::UndoCurrentState() {
    AUndoMemento *s = First(undoList_);
    if (!s)
        return;
    AUndoMemento *r = ApplyUndoMemento(s, 0);
    AddToRedoList(r);
    undoList_.Delete(s);
}

void AUndoable::RedoLastUndoneState() {
    AUndoMemento *s = First(redoList_);
    if (!s)
        return;
    AUndoMemento *r = ApplyUndoMemento(s, 1);
    AddToUndoList(r, 1);
    redoList_.Delete(s);
}

void AUndoable::AddToUndoList(AUndoMemento *step, int keepRedo) {
    if (!step)
        return;
    if (maximum_ < 1) {
        delete step;
        return;
    }
    if (!keepRedo)
        redoList_.Clear();
    if (AUndoMemento *n = First(undoList_)) {
        if (n->IsComparable() && step->IsComparable() && (n->IsEqual(*step) || n->CanGroup(*step))) {
            delete step;
            return;
        }
        bool otherAction = step->GetActionName() != n->GetActionName() ||
                           step->GetActionInstance() != n->GetActionInstance();
        if (otherAction && n->IsComparable() && n->IsPackable()) {
            // Pack the finished run of n's action down to its oldest step.
            AUndoMemento *oldest = n;
            for (AUndoMemento *s = Next(undoList_, n); s && s->GetActionName() == n->GetActionName() &&
                                                       s->GetActionInstance() == n->GetActionInstance();
                 s = Next(undoList_, s))
                oldest = s;
            while (First(undoList_) != oldest)
                undoList_.Delete(First(undoList_));
        }
    }
    undoList_.Prepend(step);
    if (undoList_.GetCount() > maximum_)
        undoList_.Delete(Last(undoList_));
}

void AUndoable::AddToRedoList(AUndoMemento *step) {
    if (step)
        redoList_.Prepend(step);
}
