#include "engine/SamplerTransfer.h"

#include "bars/Progress.h"
#include "engine/SamplerDevice.h"
#include "engine/SamplerLink.h"

namespace {

enum { kTransferTitle = 11370 };
int const kCancelButton = 1;

void DisposeList(QbLocationEntry **list) {
    if (TheSamplerEntries().disposeLocationList)
        TheSamplerEntries().disposeLocationList(list);
}

void DisposeList(QbSampleEntry **list) {
    if (TheSamplerEntries().disposeSampleList)
        TheSamplerEntries().disposeSampleList(list);
}

// Runs one call of the link over a device's open interface with a progress record.
template <class Call>
std::int32_t WithInterface(int deviceIndex, Call call) {
    SamplerInterfaceHold hold(deviceIndex);
    if (!hold.GetHandle())
        return QB_ERR_HANDLE;
    SamplerProgress progress;
    std::int32_t result = call(hold.GetHandle(), progress);
    progress.RethrowFailure();
    return result;
}

}  // namespace

// ---- SamplerProgress

SamplerProgress::SamplerProgress() = default;

SamplerProgress::~SamplerProgress() = default;

std::int32_t __cdecl SamplerProgress::Report(void *record, std::int32_t done, std::int32_t total) {
    SamplerProgress &progress = *static_cast<SamplerProgress *>(record);
    try {
        if (!progress.gauge_)
            progress.gauge_.reset(new AutoProgressBar(long(total), kTransferTitle, kCancelButton));
        return progress.gauge_->NotifyProgress(long(done), StatusBar::ReturnOnCancel);
    } catch (...) {
        progress.failure_ = std::current_exception();
        return 0;
    }
}

void SamplerProgress::RethrowFailure() {
    if (failure_)
        std::rethrow_exception(failure_);
}

// ---- SamplerInterfaceHold

SamplerInterfaceHold::SamplerInterfaceHold(int deviceIndex) : deviceIndex_(deviceIndex), handle_(nullptr) {
    if (OpenSamplerInterface(deviceIndex))
        handle_ = FindSamplerDevice(deviceIndex)->GetHandle();
}

SamplerInterfaceHold::~SamplerInterfaceHold() {
    if (handle_)
        CloseSamplerInterface(deviceIndex_);
}

// ---- lists

template <class Entry>
void SamplerList<Entry>::Clear() {
    if (list_)
        DisposeList(&list_);
    list_ = nullptr;
    count_ = 0;
}

template class SamplerList<QbLocationEntry>;
template class SamplerList<QbSampleEntry>;

std::int32_t SamplerLocationList::Load(int deviceIndex) {
    Clear();
    kind_ = QB_LOCATIONS_NONE;
    auto create = TheSamplerEntries().createLocationList;
    if (!create)
        return QB_ERR_NOT_SUPPORTED;
    std::int32_t result = WithInterface(deviceIndex, [&](QbHandle handle, SamplerProgress &progress) {
        return create(handle, &kind_, &count_, &list_, &SamplerProgress::Report, &progress);
    });
    if (result != QB_OK)
        Clear();
    return result;
}

std::int32_t SamplerSampleList::Load(int deviceIndex, int location) {
    Clear();
    auto create = TheSamplerEntries().createSampleList;
    if (!create)
        return QB_ERR_NOT_SUPPORTED;
    std::int32_t result = WithInterface(deviceIndex, [&](QbHandle handle, SamplerProgress &progress) {
        return create(handle, std::int16_t(location), &count_, &list_, &SamplerProgress::Report, &progress);
    });
    if (result != QB_OK)
        Clear();
    return result;
}

// ---- samples

int SamplerOffersLocations(int deviceIndex) {
    SamplerDevice const *device = FindSamplerDevice(deviceIndex);
    QbInterfaceInfo info;
    return device && GetSamplerModelInterface(device->model, info) && info.locations;
}

std::int32_t BuildSamplerSampleEntry(int number, QbSampleEntry &entry) {
    auto build = TheSamplerEntries().buildSampleEntry;
    if (number < 0 || number > QB_MAX_SAMPLE_NUMBER)
        return QB_ERR_ARGUMENT;
    return build ? build(std::int16_t(number), &entry) : QB_ERR_NOT_SUPPORTED;
}

std::int32_t ReceiveSamplerSample(int deviceIndex, int number, QbSampleEntry const *picked) {
    auto receive = TheSamplerEntries().receiveSample;
    QbSampleEntry entry = {};
    if (picked && picked->number == number)
        entry = *picked;
    else if (std::int32_t failure = BuildSamplerSampleEntry(number, entry))
        return failure;
    if (!receive)
        return QB_ERR_NOT_SUPPORTED;
    return WithInterface(deviceIndex, [&](QbHandle handle, SamplerProgress &progress) {
        return receive(handle, &entry, &SamplerProgress::Report, &progress);
    });
}
