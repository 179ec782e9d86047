// Export macro of the window framework library.
#pragma once

#ifdef VELTRANE_BUILD
#define VELTRANE_API __declspec(dllexport)
#else
#define VELTRANE_API __declspec(dllimport)
#endif
