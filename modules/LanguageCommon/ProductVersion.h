// The product's version, shared by the program's version resource and the language
// modules' (the about box reads the one of the module that holds its template).
#pragma once

#define TESSARO_VERSION_NUMBERS 1,0,0,0
#define TESSARO_FILE_VERSION "1.0.0.0"
#define TESSARO_PRODUCT_NAME "Tessaro"
#define TESSARO_PRODUCT_VERSION "1.0"
#define TESSARO_COPYRIGHT "Copyright \251 2026 Tessaro"
#define TESSARO_COMPANY "Tessaro"
