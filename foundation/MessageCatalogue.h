// User-visible texts by number: from the registered language module, or,
// until one is registered, from the library's own file-error texts
// (18000-18026).
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/Strings.h"

struct HINSTANCE__;

// Registers the language module (a later call replaces it).
OSMERA_API void NotifyLocalizedStringDll(HINSTANCE__ *module);

// "" when the number is not found.
OSMERA_API SubString FindString(unsigned int id);
// Reads the given module's string table once a language module is
// registered; before that the built-in table answers.
OSMERA_API SubString FindString(HINSTANCE__ *module, unsigned int id);
// Into the caller's buffer of at least CatalogueBufferSize characters.
OSMERA_API char *FindString(char *buffer, unsigned int id);

// The text used as a printf format with the further arguments.
OSMERA_API SubString BuildString(int id, ...);
// The same into the caller's buffer of at least CatalogueBufferSize characters.
OSMERA_API char *BuildString(char *buffer, int id, ...);

// A new String (on the string heap) holding the text.
OSMERA_API String *LoadAndAdoptString(int id);
// Loads the text into text only when it is still null.
OSMERA_API void AdoptString(String *&text, int id);

// The text kept in a cache after the first request; safe from any thread.
// The reference stays valid until the library unloads.
OSMERA_API String const &FindCachedString(unsigned int id);

enum { CatalogueBufferSize = 2048 };
