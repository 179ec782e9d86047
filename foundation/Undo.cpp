#include "foundation/Undo.h"

#include "foundation/MessageCatalogue.h"

namespace {

char const noExcludedName[] = "%%%%%%%%";

unsigned long Sum(List<AUndoMemento> const &list, unsigned long (AUndoMemento::*measure)() const) {
    unsigned long sum = 0;
    for (AUndoMemento *s = list.GetFirst(); s; s = list.GetNext(s))
        sum += (s->*measure)();
    return sum;
}

bool SameAction(AUndoMemento const &a, AUndoMemento const &b) {
    return a.GetActionName() == b.GetActionName() && a.GetActionInstance() == b.GetActionInstance();
}

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
    return Sum(undoList_, &AUndoMemento::GetNumInvolvedFiles);
}

unsigned long AUndoable::GetInvolvedUndoMemory() const {
    return Sum(undoList_, &AUndoMemento::GetInvolvedMemory) + Sum(redoList_, &AUndoMemento::GetInvolvedMemory);
}

unsigned long AUndoable::GetInvolvedUndoDiskSpace() const {
    return Sum(undoList_, &AUndoMemento::GetInvolvedDiskSpace);
}

int AUndoable::HasMajorModification() const {
    for (AUndoMemento *s = undoList_.GetFirst(); s; s = undoList_.GetNext(s))
        if (s->IsMajorModification())
            return 1;
    return 0;
}

int AUndoable::GetNumUndoMementos() const { return undoList_.GetCount(); }
int AUndoable::GetNumRedoMementos() const { return redoList_.GetCount(); }
AUndoMemento *AUndoable::GetFirstUndoMemento() const { return undoList_.GetFirst(); }
AUndoMemento *AUndoable::GetFirstRedoMemento() const { return redoList_.GetFirst(); }
AUndoMemento *AUndoable::GetNextUndoMemento(AUndoMemento const *step) const { return undoList_.GetNext(step); }
AUndoMemento *AUndoable::GetNextRedoMemento(AUndoMemento const *step) const { return redoList_.GetNext(step); }

String AUndoable::GetPendingUndoName() const {
    AUndoMemento *s = undoList_.GetFirst();
    return s ? s->GetActionName() : String();
}

String AUndoable::GetPendingRedoName() const {
    AUndoMemento *s = redoList_.GetFirst();
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
    AUndoMemento *newest = undoList_.GetFirst();
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
        undoList_.Delete(undoList_.GetLast());
    while (redoList_.GetCount() > 0 && redoList_.GetCount() > maximum)
        redoList_.Delete(redoList_.GetLast());
}

void AUndoable::UndoCurrentState() {
    AUndoMemento *s = undoList_.GetFirst();
    if (!s)
        return;
    AUndoMemento *r = ApplyUndoMemento(s, 0);
    AddToRedoList(r);
    undoList_.Delete(s);
}

void AUndoable::RedoLastUndoneState() {
    AUndoMemento *s = redoList_.GetFirst();
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
    if (AUndoMemento *n = undoList_.GetFirst()) {
        if (n->IsComparable() && step->IsComparable() && (n->IsEqual(*step) || n->CanGroup(*step))) {
            delete step;
            return;
        }
        if (!SameAction(*step, *n) && n->IsComparable() && n->IsPackable()) {
            // Pack the finished run of n's action down to its oldest step.
            AUndoMemento *oldest = n;
            for (AUndoMemento *s = undoList_.GetNext(n); s && SameAction(*s, *n); s = undoList_.GetNext(s))
                oldest = s;
            while (undoList_.GetFirst() != oldest)
                undoList_.Delete(undoList_.GetFirst());
        }
    }
    undoList_.Prepend(step);
    if (undoList_.GetCount() > maximum_)
        undoList_.Delete(undoList_.GetLast());
}

void AUndoable::AddToRedoList(AUndoMemento *step) {
    if (step)
        redoList_.Prepend(step);
}
