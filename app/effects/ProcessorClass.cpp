#include "effects/ProcessorClass.h"

#include "foundation/Config.h"
#include "foundation/MessageCatalogue.h"

namespace {

enum { kTextNewTask = 11076 };

FileName PresetFileOf(char const *name) {
    return name ? FileName::CreateApplicationRelative(String("system\\") + name) : FileName();
}

}  // namespace

ProcessorClass::ProcessorClass(ProcessorRow const &row)
    : name_(FindString(row.nameMessage)), presetFile_(PresetFileOf(row.presetFile)), id_(row.id),
      batchable_(row.batchable) {}

ProcessorClass::~ProcessorClass() = default;

void ProcessorClass::ResetCurrentItem() {
    Config empty("dummy");
    current_.SetId(id_);
    current_.SetType(name_);
    current_.SetName(FindString(kTextNewTask));
    current_.SetState(1);
    current_.SetRecord(ReadOpcodes(empty, nullptr));
}

Opcodes *ProcessorClass::ReadOpcodes(Config &, Opcodes *) const { return nullptr; }

void ProcessorClass::WriteOpcodes(Opcodes const &, Config &) const {}

int ProcessorClass::OpenDialog(Opcodes &, int) { return 0; }
