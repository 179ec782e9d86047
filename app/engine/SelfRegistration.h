// Modules that register themselves with the system (component modules marked
// "OLESelfRegister" in their version information): opening such a file offers to register
// or unregister it instead of opening it as a document. The application object's opening
// of a document asks OfferSelfRegistration first.
#pragma once

#include "foundation/FileName.h"

#include <cstdint>

// 1 when the file is such a module (the offer was made, whatever the user chose), else 0.
int OfferSelfRegistration(FileName const &file);
// 0 when the module's version information carries the mark, else an error value.
int32_t HasSelfRegisterMark(FileName const &file);
// Runs the module's registration entry (or its unregistration); its result, 0 for success.
int32_t RegisterModule(FileName const &file, int unregister);
