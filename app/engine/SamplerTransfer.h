// Transfers with a sampler device: the progress of each call on the status bar's gauge,
// the interface held open for a call, and the lists and samples the transfer dialogs
// show and receive. Everything here runs on the GUI thread; a failure of the link ends
// a step silently with its status, as the dialogs want.
#pragma once

#include "SamplerCommon/SamplerLink.h"

#include <cstdint>
#include <exception>
#include <memory>

class AutoProgressBar;

// The progress record of one call of the link: the first report opens the status bar's
// gauge with its total, each moves it and asks whether the user cancelled; the gauge
// closes when the object goes, at the end of the transfer.
class SamplerProgress {
public:
    SamplerProgress();
    ~SamplerProgress();
    SamplerProgress(SamplerProgress const &) = delete;
    SamplerProgress &operator=(SamplerProgress const &) = delete;

    // The routine handed to the link with the object as its record: 1 to go on, 0 when
    // the user cancelled. Nothing it meets is thrown into the library: it stops the call
    // and is kept for RethrowFailure.
    static std::int32_t __cdecl Report(void *record, std::int32_t done, std::int32_t total);
    // Throws what a report met, once the library has returned.
    void RethrowFailure();

private:
    std::unique_ptr<AutoProgressBar> gauge_;
    std::exception_ptr failure_;
};

// A device's interface open for the object's life (when it could be opened).
class SamplerInterfaceHold {
public:
    explicit SamplerInterfaceHold(int deviceIndex);
    ~SamplerInterfaceHold();
    SamplerInterfaceHold(SamplerInterfaceHold const &) = delete;
    SamplerInterfaceHold &operator=(SamplerInterfaceHold const &) = delete;

    // Null when the interface is not open.
    QbHandle GetHandle() const { return handle_; }

private:
    int deviceIndex_;
    QbHandle handle_;
};

// A list the link made, given back to it with the object or by Clear.
template <class Entry>
class SamplerList {
public:
    SamplerList() = default;
    ~SamplerList() { Clear(); }
    SamplerList(SamplerList const &) = delete;
    SamplerList &operator=(SamplerList const &) = delete;

    int GetCount() const { return count_; }
    Entry const &operator[](int i) const { return list_[i]; }
    void Clear();

protected:
    Entry *list_ = nullptr;
    std::int16_t count_ = 0;
};

// The locations of a device's sampler.
class SamplerLocationList : public SamplerList<QbLocationEntry> {
public:
    // Opens the interface for the call; the link's status (QB_ERR_HANDLE when the
    // interface could not be opened), the list empty unless QB_OK.
    std::int32_t Load(int deviceIndex);
    std::int32_t GetKind() const { return kind_; }

private:
    std::int32_t kind_ = QB_LOCATIONS_NONE;
};

// The samples of a location (QB_ANY_LOCATION: of the whole sampler).
class SamplerSampleList : public SamplerList<QbSampleEntry> {
public:
    // Opens the interface for the call, as SamplerLocationList::Load.
    std::int32_t Load(int deviceIndex, int location);
};

// Whether the model of a device offers locations (the location controls' state).
int SamplerOffersLocations(int deviceIndex);
// The entry of a sample known by its number alone.
std::int32_t BuildSamplerSampleEntry(int number, QbSampleEntry &entry);
// Receives sample number of a device: the picked entry when it is that sample, else a
// entry built from the number, so that a number typed after a pick is the one
// received. Opens the interface for the call; the link's status.
std::int32_t ReceiveSamplerSample(int deviceIndex, int number, QbSampleEntry const *picked);
