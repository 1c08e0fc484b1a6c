// Export macro of Inkfold: exported while the library itself is built,
// imported by everyone who links it.
#pragma once

#ifdef INKFOLD_BUILDING
#define INKFOLD_API __declspec(dllexport)
#else
#define INKFOLD_API __declspec(dllimport)
#endif
