// One effect type: its id, display name and preset file, its current parameter record,
// and how it reads, writes and edits records of its kind.
#pragma once

#include "effects/Opcodes.h"
#include "effects/ProcessorItem.h"
#include "foundation/FileName.h"

#include <cstdint>
#include <memory>

class Config;
class ProcessorClass;

// An effect as the registry lists it.
struct ProcessorRow {
    std::int32_t id;
    unsigned nameMessage;    // the display name's text
    char const *presetFile;  // in the "system" folder; null when the effect keeps no presets
    int batchable;           // may be a task of the batch processor
    // Makes the effect's own class; null: a class without record or dialog.
    ProcessorClass *(*make)(ProcessorRow const &row);
};

class ProcessorClass {
public:
    explicit ProcessorClass(ProcessorRow const &row);
    virtual ~ProcessorClass();
    ProcessorClass(ProcessorClass const &) = delete;
    ProcessorClass &operator=(ProcessorClass const &) = delete;

    std::int32_t GetId() const { return id_; }
    String const &GetName() const { return name_; }
    // Empty when the effect keeps no presets.
    FileName const &GetPresetFile() const { return presetFile_; }
    // The current item: its record is what the effect's dialog shows and its menu command
    // applies.
    ProcessorItem &GetCurrentItem() { return current_; }
    Opcodes *GetCurrentOpcodes() const { return current_.GetRecord(); }
    // The current item anew: this effect, the new-task name, enabled, a record of defaults.
    void ResetCurrentItem();

    // Reads a record from the current group of the store, into a new record of defaults
    // when into is null; keys that are missing keep their defaults. Null here: no record.
    virtual Opcodes *ReadOpcodes(Config &config, Opcodes *into) const;
    // Writes every key of the record into the current group of the store.
    virtual void WriteOpcodes(Opcodes const &record, Config &config) const;
    // Shows the effect's dialog on the record: on the active wave (givenRecord 0) or on a
    // record handed in by the batch (1). Nonzero when the user accepted; 0 here: no dialog.
    virtual int OpenDialog(Opcodes &record, int givenRecord);
    virtual int IsBatchable() const { return batchable_; }

private:
    String name_;
    FileName presetFile_;
    std::int32_t id_;
    int batchable_;
    ProcessorItem current_;
};

// The maker of an effect's own class for its row of the registry.
template <class Processor>
ProcessorClass *MakeProcessor(ProcessorRow const &row) {
    return new Processor(row);
}

// An effect whose records are of one class: reading and writing by the record's type.
template <class Record>
class ProcessorOf : public ProcessorClass {
public:
    using ProcessorClass::ProcessorClass;

    Opcodes *ReadOpcodes(Config &config, Opcodes *into) const override {
        std::unique_ptr<Record> made(into ? nullptr : new Record);
        Record &record = into ? dynamic_cast<Record &>(*into) : *made;
        Read(config, record);
        made.release();
        return &record;
    }
    void WriteOpcodes(Opcodes const &record, Config &config) const override {
        Write(dynamic_cast<Record const &>(record), config);
    }
    int OpenDialog(Opcodes &record, int givenRecord) override {
        return Open(dynamic_cast<Record &>(record), givenRecord);
    }

protected:
    // Keys that are missing give their defaults.
    virtual void Read(Config &config, Record &record) const = 0;
    virtual void Write(Record const &record, Config &config) const = 0;
    virtual int Open(Record &record, int givenRecord) = 0;
};
