// The ground every class library header stands on: Windows types, the
// export macro, positions for the collections, and the diagnostics macros.
#pragma once

#ifndef _WINSOCKAPI_
#include <winsock2.h>  // before windows.h, so that later users of Winsock compile
#endif
#include <windows.h>
#include <tchar.h>

#include <stdarg.h>
#include <stddef.h>
#include <string.h>

#ifdef AFX_BUILDING
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif

// Extension DLLs export their classes with AFX_EXT_CLASS through their own macro.
#define AFXAPI
#define AFX_CDECL __cdecl
#define AFX_DATA
#define AFX_STATIC static
#define AFX_INLINE inline

// Iteration handle of the collections.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Diagnostics. TRACE and failed assertions go to the debugger output; an
// assertion never stops the program (there is nobody to answer a dialog).
AFX_API void AFX_CDECL AfxTrace(LPCSTR format, ...);
AFX_API void AFXAPI AfxAssertFailedLine(LPCSTR file, int line);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define TRACE AfxTrace
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE 1 ? (void)0 : AfxTrace
#endif
#define TRACE0(s) TRACE("%s", s)
#define TRACE1(s, a) TRACE(s, a)
#define TRACE2(s, a, b) TRACE(s, a, b)
#define TRACE3(s, a, b, c) TRACE(s, a, b, c)
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define ASSERT_KINDOF(c, p) ASSERT((p)->IsKindOf(RUNTIME_CLASS(c)))
#define DEBUG_NEW new
#define UNUSED(x) (void)(x)
#define UNUSED_ALWAYS(x) (void)(x)
