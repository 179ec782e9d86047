// Critical sections and the scoped lock that holds one for a block.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API CriticalSection {
public:
    CriticalSection();
    // A copy is a lock of its own: nothing is copied.
    CriticalSection(CriticalSection const &);
    ~CriticalSection();
    CriticalSection &operator=(CriticalSection const &) { return *this; }

    // Initialises the record again (only while nobody holds it).
    void Init() const;
    void Enter() const;
    void Leave() const;

private:
    // The system's critical-section record, kept opaque: six pointer-sized words on
    // 32-bit Windows, five on 64-bit.
    mutable void *record_[sizeof(void *) == 8 ? 5 : 6];
};

class OSMERA_API AutoCriticalSection {
public:
    explicit AutoCriticalSection(CriticalSection const &section) : section_(&section) { section_->Enter(); }
    // Enters only when given a section.
    explicit AutoCriticalSection(CriticalSection const *section) : section_(section) {
        if (section_)
            section_->Enter();
    }
    ~AutoCriticalSection() {
        if (section_)
            section_->Leave();
    }

    AutoCriticalSection(AutoCriticalSection const &) = delete;
    AutoCriticalSection &operator=(AutoCriticalSection const &) = delete;

private:
    CriticalSection const *section_;
};
