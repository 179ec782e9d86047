// The three processing modules the effects drive (Pelrin, Dastrel and the filter module),
// loaded from the program's "system" folder and bound module by module at start-up. They
// stay loaded for the whole run and go last, after the application object.
#pragma once

#include <memory>

class TModule;

class ProcessingModules {
public:
    // A module that cannot be loaded raises the framework's invalid-module error (those
    // loaded before it are released). A missing entry point is told to the user, naming
    // module and entry, and leaves the modules unbound.
    ProcessingModules();
    // Releases the filter module, Dastrel and Pelrin, in that order.
    ~ProcessingModules();
    ProcessingModules(ProcessingModules const &) = delete;
    ProcessingModules &operator=(ProcessingModules const &) = delete;

    // Every entry point is bound.
    bool IsBound() const { return bound_; }

private:
    // Pelrin, Dastrel, then the filter module, each bound before the next is loaded.
    bool LoadAndBind();

    std::unique_ptr<TModule> pelrin_;
    std::unique_ptr<TModule> dastrel_;
    std::unique_ptr<TModule> filter_;
    bool bound_ = false;
};
