// Making and disposing of interfaces.
#include "Interfaces.h"

#include <mutex>
#include <set>

namespace torvask {

namespace {

std::mutex &Lock() {
    static std::mutex lock;
    return lock;
}

std::set<QbInterface *> &Handles() {
    static std::set<QbInterface *> handles;
    return handles;
}

struct Connection {
    bool midi;
    bool scsi;
    std::int16_t midiInput;
    std::int16_t midiOutput;
    std::int16_t adapter;
    std::int16_t target;
};

// Whether the connection is one the model's interface speaks, over ports and a unit
// that exist.
std::int32_t Check(ModelTraits const *model, std::int16_t midiChannel, Connection const &c) {
    if (!model || midiChannel < 0 || midiChannel > kMaxMidiChannel)
        return QB_ERR_ARGUMENT;
    InterfaceTraits const &traits = InterfaceOf(*model);
    if ((c.midi && !traits.midi) || (c.scsi && !traits.scsi))
        return QB_ERR_NOT_SUPPORTED;
    if (c.midi && (!IsMidiInput(c.midiInput) || !IsMidiOutput(c.midiOutput)))
        return QB_ERR_ARGUMENT;
    if (c.scsi && (!IsScsiAdapter(c.adapter) || c.target < 0 || c.target > kMaxScsiTarget))
        return QB_ERR_ARGUMENT;
    return QB_OK;
}

std::int32_t Create(std::int16_t model, std::int16_t midiChannel, Connection const &connection, QbHandle *handle) {
    if (!handle)
        return QB_ERR_ARGUMENT;
    *handle = nullptr;
    ModelTraits const *traits = FindModel(model);
    if (std::int32_t failure = Check(traits, midiChannel, connection))
        return failure;
    std::string root = MemoryRoot();
    if (root.empty())
        return QB_ERR_IO;
    QbInterface *made = new QbInterface(*traits, root);
    std::lock_guard<std::mutex> hold(Lock());
    Handles().insert(made);
    *handle = made;
    return QB_OK;
}

}  // namespace

QbInterface *Live(QbHandle handle) {
    std::lock_guard<std::mutex> hold(Lock());
    return Handles().count(handle) ? handle : nullptr;
}

}  // namespace torvask

using namespace torvask;

extern "C" {

std::int32_t __cdecl Qb_CreateMIDISamplerInterface(std::int16_t model, std::int16_t midiChannel, std::int16_t midiInput,
                                                   std::int16_t midiOutput, QbHandle *handle) {
    return Create(model, midiChannel, {true, false, midiInput, midiOutput, -1, -1}, handle);
}

std::int32_t __cdecl Qb_CreateSCSISamplerInterface(std::int16_t model, std::int16_t midiChannel, std::int16_t adapter,
                                                   std::int16_t target, QbHandle *handle) {
    return Create(model, midiChannel, {false, true, -1, -1, adapter, target}, handle);
}

std::int32_t __cdecl Qb_CreateMIDIAndSCSISamplerInterface(std::int16_t model, std::int16_t midiChannel,
                                                          std::int16_t midiInput, std::int16_t midiOutput,
                                                          std::int16_t adapter, std::int16_t target, QbHandle *handle) {
    return Create(model, midiChannel, {true, true, midiInput, midiOutput, adapter, target}, handle);
}

void __cdecl Qb_DisposeSamplerInterface(QbHandle handle) {
    std::unique_lock<std::mutex> hold(Lock());
    if (Handles().erase(handle)) {
        hold.unlock();
        delete handle;
    }
}

}  // extern "C"
