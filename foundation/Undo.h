// The undo core: an undoable object keeps an undo and a redo list of steps
// (mementos), the newest first, and decides which steps are kept.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

class AUndoable;

class OSMERA_API AUndoMemento : public ListElement {
public:
    String const &GetActionName() const { return actionName_; }
    int GetActionInstance() const { return actionInstance_; }
    int IsMajorModification() const { return majorModification_; }
    int IsPackable() const { return packable_; }

    // Bytes of memory, bytes of disk and files the step holds.
    virtual unsigned long GetInvolvedMemory() const;
    virtual unsigned long GetInvolvedDiskSpace() const;
    virtual unsigned long GetNumInvolvedFiles() const;
    // Non-zero when this step holds the same state as other.
    virtual int IsEqual(AUndoMemento const &other) const = 0;
    // Non-zero when the step may be compared with others and packed.
    virtual int IsComparable() const = 0;
    // Non-zero when newer can be folded into this step (newer is dropped).
    virtual int CanGroup(AUndoMemento const &newer) const;

protected:
    AUndoMemento(String const &name, int instance, int packable, int major);
    AUndoMemento(char const *name, int instance, int packable, int major);
    AUndoMemento(AUndoMemento const &other);
    AUndoMemento &operator=(AUndoMemento const &other);
    ~AUndoMemento() override;

private:
    friend class AUndoable;
    String actionName_;
    int actionInstance_;
    int majorModification_;
    int packable_;
};

class OSMERA_API AUndoable {
public:
    virtual ~AUndoable();

    virtual unsigned long GetNumInvolvedUndoFiles() const;
    // Counts both lists.
    virtual unsigned long GetInvolvedUndoMemory() const;
    virtual unsigned long GetInvolvedUndoDiskSpace() const;
    virtual int HasMajorModification() const;

    int GetNumUndoMementos() const;
    int GetNumRedoMementos() const;
    AUndoMemento *GetFirstUndoMemento() const;
    AUndoMemento *GetFirstRedoMemento() const;
    AUndoMemento *GetNextUndoMemento(AUndoMemento const *step) const;
    AUndoMemento *GetNextRedoMemento(AUndoMemento const *step) const;
    String GetPendingUndoName() const;
    String GetPendingRedoName() const;

    // Takes ownership of step and records it (empties the redo list).
    void AdoptMemento(AUndoMemento *step);
    // Records step when it differs from current (returns 1), else deletes it.
    int AdoptMementoIfDifference(AUndoMemento *step, AUndoMemento const &current);

    void EnableUndo(int on);
    int IsUndoEnabled() const;
    // 0 when name is excluded and already the newest step: an excluded action
    // is recorded once, not its immediate repetitions.
    int IsUndoEnabledFor(String const &name) const;
    void DoNotSaveUndoMementosWithName(int messageId);
    void DoNotSaveUndoMementosWithName(String const &name);
    void SaveUndoMementosWithAnyName();

    void ClearUndoMementos();
    // Only lowers the maximum; trims the oldest steps of both lists.
    void SetMaxNumOfUndoMementos(int maximum);

    // A step that the derived class fails to apply (throws) stays in its list.
    void UndoCurrentState();
    void RedoLastUndoneState();

protected:
    explicit AUndoable(int maximum = 2147483647);
    // Copies take clones of the steps (CreateClone); a step class that
    // cannot clone itself is left out of the copy.
    AUndoable(AUndoable const &other);
    AUndoable &operator=(AUndoable const &other);

    // Makes a step of the current state, puts the object into the state of
    // step (redo 0 when undoing, 1 when redoing) and returns the new step,
    // which the caller owns.
    virtual AUndoMemento *ApplyUndoMemento(AUndoMemento *step, int redo) = 0;

private:
    void AddToUndoList(AUndoMemento *step, int keepRedo);
    void AddToRedoList(AUndoMemento *step);
    void CopyFrom(AUndoable const &other);

    List<AUndoMemento> undoList_;
    List<AUndoMemento> redoList_;
    int switchedOff_;
    int maximum_;
    String excludedName_;
};
