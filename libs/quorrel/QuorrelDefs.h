// Export macro of Quorrel, the hierarchical item database library.
#pragma once

#ifdef QUORREL_BUILD
#define QUORREL_API __declspec(dllexport)
#else
#define QUORREL_API __declspec(dllimport)
#endif
