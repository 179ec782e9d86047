// The open interfaces: what each one reaches, and the handles the library gave out.
#pragma once

#include "Catalogue.h"
#include "SampleMemory.h"

#include <string>

struct QbInterface {
    QbInterface(torvask::ModelTraits const &model, std::string const &root)
        : model(model), traits(torvask::InterfaceOf(model)),
          memory(root + "\\" + torvask::FolderName(model), traits.locations), received(root + "\\Received") {}

    torvask::ModelTraits const &model;
    torvask::InterfaceTraits const &traits;
    torvask::SampleMemory memory;
    std::string received;  // folder of received samples
};

namespace torvask {

// The interface of a handle the library gave out and has not disposed of; null for any
// other value.
QbInterface *Live(QbHandle handle);

}  // namespace torvask
