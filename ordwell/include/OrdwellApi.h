// Export macro of Ordwell: exported while the library itself is built,
// imported by everyone who links it.
#pragma once

#ifdef ORDWELL_BUILDING
#define ORDWELL_API __declspec(dllexport)
#else
#define ORDWELL_API __declspec(dllimport)
#endif
