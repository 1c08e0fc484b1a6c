// Export macro of Inkfold: exported while the library itself is built,
// imported by everyone who links it; nothing in a host build of the plain
// cores (tests under sanitizers, fuzzing).
#pragma once

#if !defined(_WIN32)
#define INKFOLD_API
#elif defined(INKFOLD_BUILDING)
#define INKFOLD_API __declspec(dllexport)
#else
#define INKFOLD_API __declspec(dllimport)
#endif
