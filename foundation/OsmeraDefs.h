// Export macro of the foundation library.
#pragma once

#ifdef OSMERA_BUILD
#define OSMERA_API __declspec(dllexport)
#else
#define OSMERA_API __declspec(dllimport)
#endif
