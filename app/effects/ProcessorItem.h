// One task of an effect with its own parameters: the current item of every processor
// class, and each task of the batch.
#pragma once

#include "effects/Opcodes.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <cstdint>
#include <memory>

class ProcessorItem : public ListElement {
public:
    // An item of no effect, enabled, without a record.
    ProcessorItem();
    // Takes the record (which may be null); the item is enabled.
    ProcessorItem(std::int32_t id, String const &type, String const &name, Opcodes *record);
    // Copies hold a clone of the record.
    ProcessorItem(ProcessorItem const &other);
    ProcessorItem &operator=(ProcessorItem const &other);
    ~ProcessorItem() override;

    // A copy, so that containers that copy their elements copy items whole.
    CollectionElement *CreateClone(void const *arg) const override;

    std::int32_t GetId() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    // The effect's display name.
    String const &GetType() const { return type_; }
    void SetType(String const &type) { type_ = type; }
    // The task's name.
    String const &GetName() const { return name_; }
    void SetName(String const &name) { name_ = name; }
    // 0: the batch skips the task.
    std::int32_t GetState() const { return state_; }
    void SetState(std::int32_t state) { state_ = state; }
    Opcodes *GetRecord() const { return record_.get(); }
    // Takes the record and deletes the one held before.
    void SetRecord(Opcodes *record) { record_.reset(record); }

private:
    std::int32_t id_ = 0;
    String type_;
    String name_;
    std::int32_t state_ = 1;
    std::unique_ptr<Opcodes> record_;
};
