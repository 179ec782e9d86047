// The processors the engine and the plug-in modules offer the master section (kind 1):
// each changes a block in place, has at most one value the user sets, and answers the
// element protocol's commands through this base. A derived processor says what its value
// is, takes it, and processes; a factory made by Factory<T> builds it for the engine.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <cstdint>
#include <cstring>

class ProcessorElement {
public:
    // The one value a processor offers; a null name: none.
    struct Value {
        char const *name;
        char const *unit;
        std::int32_t minimum, maximum, initial;
    };

    ProcessorElement(char const *name, char const (&maker)[5])
        : record_(MakeElementRecord(kElementPlugIn, &Command, &ProcessBlock, &NoSecondProcess, &IgnoreHook,
                                    &IgnoreHook, this)) {
        record_.maker = ElementMaker(maker);
        std::strncpy(record_.name, name, kElementNameSize - 1);
    }
    virtual ~ProcessorElement() = default;
    ProcessorElement(ProcessorElement const &) = delete;
    ProcessorElement &operator=(ProcessorElement const &) = delete;

    AudioElementRecord *Record() { return &record_; }

    // A factory that builds a T (nothing escapes into the engine).
    template <class T>
    static AudioElementRecord *WQ_CALL Factory(ElementEngineCallback, void *, void *) {
        try {
            return (new T)->Record();
        } catch (...) {
            return nullptr;
        }
    }

protected:
    virtual Value Describe() const { return Value{nullptr, "", 0, 0, 0}; }
    virtual void SetValue(std::int32_t) {}
    // 0 or a refusal of the format.
    virtual std::int32_t Check(std::int32_t /*rate*/, std::int32_t /*channels*/) const { return 0; }
    // The format is accepted; the processor may make its state. 0 or kElementNoMemory.
    virtual std::int32_t Prepare() { return 0; }
    virtual void Process(float *const *channels, std::int32_t frames) = 0;
    // Drops what it holds of the signal.
    virtual void Flush() {}

    std::int32_t rate_ = 0;
    std::int32_t channels_ = 0;

private:
    static ProcessorElement &Of(AudioElementRecord *record) {
        return *static_cast<ProcessorElement *>(record->element);
    }

    static std::int32_t WQ_CALL Command(AudioElementRecord *record, std::int32_t command,
                                        ElementCommandRecord *argument, std::int32_t) {
        ProcessorElement &self = Of(record);
        try {
            return self.Answer(command, argument);
        } catch (...) {
            return std::int32_t(kElementFailed);
        }
    }

    std::int32_t Answer(std::int32_t command, ElementCommandRecord *argument) {
        switch (command) {
        case kCommandDestroy: delete this; return 0;
        case kCommandCheck: return argument ? Check(argument->rate, argument->channels) : 0;
        case kCommandOpen:
        case kCommandReformat: return argument ? Open(*argument) : 0;
        case kCommandSetParameters:
            if (argument) {
                SetValue(argument->parameters[0]);
                mute_ = argument->parameters[1];
            }
            return 0;
        case kCommandGetRatio:
            if (argument)
                argument->ratio = 1.0f;
            return 0;
        case kCommandQuery:
            if (argument)
                Tell(*argument);
            return 0;
        case kCommandFlush: Flush(); return 0;
        case kCommandInputChannels:
        case kCommandOutputChannels: return channels_;
        case kCommandRate: return rate_;
        default: return 0;
        }
    }

    std::int32_t Open(ElementCommandRecord &format) {
        if (std::int32_t refused = Check(format.rate, format.channels))
            return refused;
        rate_ = format.rate;
        channels_ = format.channels;
        format.outChannels = channels_;
        return Prepare();
    }

    void Tell(ElementCommandRecord &argument) const {
        Value value = Describe();
        std::memset(argument.parameterName, 0, sizeof argument.parameterName);
        std::memset(argument.unit, 0, sizeof argument.unit);
        if (!value.name)
            return;
        std::strncpy(argument.parameterName, value.name, sizeof argument.parameterName - 1);
        std::strncpy(argument.unit, value.unit, sizeof argument.unit - 1);
        argument.minimum = value.minimum;
        argument.maximum = value.maximum;
        argument.initial = value.initial;
    }

    static std::int32_t WQ_CALL ProcessBlock(AudioElementRecord *record, ElementBlock *block) {
        ProcessorElement &self = Of(record);
        if (record->bypass)
            return block->frames;
        try {
            if (self.mute_) {
                for (std::int32_t c = 0; c < block->channels; ++c)
                    std::memset(block->channel[c], 0, sizeof(float) * std::size_t(block->frames));
            } else {
                self.Process(block->channel, block->frames);
            }
        } catch (...) {
            return std::int32_t(kElementFailed);
        }
        return block->frames;
    }

    static std::int32_t WQ_CALL NoSecondProcess(AudioElementRecord *, ElementBlock *) {
        return std::int32_t(kElementNoSecondProcess);
    }

    static std::int32_t WQ_CALL IgnoreHook(AudioElementRecord *, ElementHookRecord *hook, std::int32_t value) {
        if (hook && hook->callback) {
            hook->callback(hook, value);
            hook->callback(hook, -1);
        }
        return 0;
    }

    AudioElementRecord record_;
    std::int32_t mute_ = 0;
};
