// The element types the engine can make: the program's stations and every processor that
// the engine itself or a plug-in module registered, each with its factory and kind, and
// for a processor the value the master section shows and hands to the next apply.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct ElementType {
    std::string name;
    ElementFactory factory = nullptr;
    std::int32_t kind = 0;
    // The processor's value, asked once of an element made for the purpose.
    bool described = false;
    std::string valueName;
    std::string unit;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t value = 0;
    std::uint32_t maker = 0;
};

class ElementTypes {
public:
    // A name registered again takes the new factory and kind. 1.
    std::int32_t Register(char const *name, ElementFactory factory, std::int32_t kind);
    // The walk of WqGetNameOfPlugIn: the type at cookie into name, the next cookie, 0 past
    // the last.
    std::int32_t NameAt(std::int32_t cookie, char *name, std::int32_t *kind) const;
    // False when no type has the name.
    bool Find(std::string const &name, ElementType &type) const;
    // The processors (kind 1), described, in the order they came.
    std::vector<ElementType> Processors();
    // Keeps a processor's value inside its range; the value kept.
    std::int32_t SetValue(std::string const &name, std::int32_t value);
    void Clear();

private:
    static void Describe(ElementType &type);

    mutable std::mutex lock_;
    std::vector<ElementType> types_;
};

// The processors of the engine itself.
void RegisterOwnProcessors(ElementTypes &types);
