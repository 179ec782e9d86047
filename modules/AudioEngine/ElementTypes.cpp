#include "ElementTypes.h"

#include <algorithm>
#include <cstring>

std::int32_t ElementTypes::Register(char const *name, ElementFactory factory, std::int32_t kind) {
    if (!name || !*name || !factory)
        return 0;
    std::lock_guard<std::mutex> hold(lock_);
    ElementType fresh;
    fresh.name = name;
    fresh.factory = factory;
    fresh.kind = kind;
    for (ElementType &type : types_) {
        if (type.name == fresh.name) {
            type = fresh;
            return 1;
        }
    }
    types_.push_back(fresh);
    return 1;
}

std::int32_t ElementTypes::NameAt(std::int32_t cookie, char *name, std::int32_t *kind) const {
    std::lock_guard<std::mutex> hold(lock_);
    if (cookie < 0 || std::size_t(cookie) >= types_.size())
        return 0;
    ElementType const &type = types_[std::size_t(cookie)];
    if (name) {
        std::strncpy(name, type.name.c_str(), kPlugInTextSize - 1);
        name[kPlugInTextSize - 1] = 0;
    }
    if (kind)
        *kind = type.kind;
    return cookie + 1;
}

bool ElementTypes::Find(std::string const &name, ElementType &found) const {
    std::lock_guard<std::mutex> hold(lock_);
    for (ElementType const &type : types_) {
        if (type.name == name) {
            found = type;
            return true;
        }
    }
    return false;
}

std::vector<ElementType> ElementTypes::Processors() {
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<ElementType> processors;
    for (ElementType &type : types_) {
        if (type.kind != kElementPlugIn)
            continue;
        if (!type.described)
            Describe(type);
        processors.push_back(type);
    }
    return processors;
}

std::int32_t ElementTypes::SetValue(std::string const &name, std::int32_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    for (ElementType &type : types_) {
        if (type.name != name)
            continue;
        if (!type.described)
            Describe(type);
        type.value = std::min(std::max(value, type.minimum), type.maximum);
        return type.value;
    }
    return value;
}

void ElementTypes::Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    types_.clear();
}

// A processor tells its value through the query command of an element of its own.
void ElementTypes::Describe(ElementType &type) {
    type.described = true;
    AudioElementRecord *record = type.factory(nullptr, nullptr, nullptr);
    if (!record)
        return;
    ElementCommandRecord answer = {};
    record->command(record, kCommandQuery, &answer, 0);
    type.maker = record->maker;
    if (answer.parameterName[0]) {
        type.valueName.assign(answer.parameterName, strnlen(answer.parameterName, sizeof answer.parameterName));
        type.unit.assign(answer.unit, strnlen(answer.unit, sizeof answer.unit));
        type.minimum = answer.minimum;
        type.maximum = std::max(answer.minimum, answer.maximum);
        type.value = std::min(std::max(answer.initial, type.minimum), type.maximum);
    }
    record->command(record, kCommandDestroy, nullptr, 0);
}
