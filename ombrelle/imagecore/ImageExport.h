// The client exports its image classes whole for outside callers, who define
// OMBRELLE_API as __declspec(dllimport) before including the headers. The
// test programs that compile the same sources export them too, which does no
// harm; the host build of the plain cores exports nothing.
#pragma once

#ifndef OMBRELLE_API
#ifdef _WIN32
#define OMBRELLE_API __declspec(dllexport)
#else
#define OMBRELLE_API
#endif
#endif
