// The effect types of the program in one table, built when the application starts its
// instance and torn down when it closes. Menus, the batch, the preset pages and the effect
// dialogs find an effect by its id; every list of effects follows the registry's order.
#pragma once

#include "effects/ProcessorClass.h"

#include <cstdint>
#include <memory>
#include <vector>

enum ProcessorId : std::int32_t {
    kNormalizeProcessor = 1,
    kTimeInverterProcessor = 2,
    kSwapChannelsProcessor = 3,
    kPhaseInverterProcessor = 4,
    kDcOffsetProcessor = 5,
    kEqProcessor = 6,
    kTimeStretchProcessor = 7,
    kPitchChangeProcessor = 8,
    kHarmonizerProcessor = 9,
    kChorusProcessor = 10,
    kResampleProcessor = 11,
    kConverterProcessor = 12,
    kDynamicsProcessor = 13,
    kGainProcessor = 14,
    kFadeProcessor = 15,
    kXFadeProcessor = 16,
};

class ProcessorRegistry {
public:
    int Count() const { return int(classes_.size()); }
    ProcessorClass &At(int index) const { return *classes_[index]; }
    // The first class with the id; null when there is none.
    ProcessorClass *Find(std::int32_t id) const;
    // Appends a class, which the registry owns from now on.
    void Add(std::unique_ptr<ProcessorClass> processor);

private:
    std::vector<std::unique_ptr<ProcessorClass>> classes_;
};

// The registry between BuildProcessorRegistry and DestroyProcessorRegistry, else null.
ProcessorRegistry *TheProcessorRegistry();
// Makes every effect in the registry's order, each with its current item reset; a
// registry that stands already stays.
void BuildProcessorRegistry();
void DestroyProcessorRegistry();

// Null for an unknown id, and while there is no registry.
ProcessorClass *FindProcessorClass(std::int32_t id);
Opcodes *GetCurrentOpcodes(std::int32_t id);
// Shows an effect's dialog on a record (the effect's current record when null). A record
// handed in (givenRecord 1) comes back unchanged unless the user accepts, also when the
// dialog fails. 0 for an unknown id and for an effect without a current record; else the
// dialog's answer.
int RunProcessorDialog(std::int32_t id, Opcodes *record, int givenRecord);
