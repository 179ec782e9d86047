#include "effects/ProcessorItem.h"

ProcessorItem::ProcessorItem() = default;

ProcessorItem::ProcessorItem(std::int32_t id, String const &type, String const &name, Opcodes *record)
    : id_(id), type_(type), name_(name), record_(record) {}

ProcessorItem::ProcessorItem(ProcessorItem const &other)
    : ListElement(other), id_(other.id_), type_(other.type_), name_(other.name_), state_(other.state_),
      record_(other.record_ ? other.record_->Clone() : nullptr) {}

ProcessorItem &ProcessorItem::operator=(ProcessorItem const &other) {
    if (this != &other) {
        record_.reset(other.record_ ? other.record_->Clone() : nullptr);
        id_ = other.id_;
        type_ = other.type_;
        name_ = other.name_;
        state_ = other.state_;
    }
    return *this;
}

ProcessorItem::~ProcessorItem() = default;

CollectionElement *ProcessorItem::CreateClone(void const *) const { return new ProcessorItem(*this); }
