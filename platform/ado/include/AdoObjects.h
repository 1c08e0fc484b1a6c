// ADO's Connection, Recordset, Command, Parameter and Fields/Field objects
// over ODBC, with ADO's interfaces (adoint.h) and ids.
//
// Objects come from AdoCreateInstance only, never from the registry, so the
// ADO that Wine carries is never loaded. ODBC is reached through its wide
// functions.
//
// Recordsets are static client cursors: every row is fetched when the
// recordset opens, so RecordCount is always known. Columns become variants
// by their SQL type: integers VT_I4 (a BIGINT beyond 32 bits VT_R8), texts
// VT_BSTR, floating types VT_R8, DECIMAL and NUMERIC VT_DECIMAL, dates,
// times and time stamps VT_DATE, binary data VT_ARRAY|VT_UI1, NULL VT_NULL.
// A bookmark is a VT_R8. Find and Filter take "column op value" criteria
// (op one of = <> < > <= >= LIKE; value a number, 'text' with '' for a
// quote, or #date#; LIKE with % or * as wildcard). Sort takes "" or a list
// of "column [ASC|DESC]". BeginTrans does not nest.
//
// Failures are COM errors with IErrorInfo: the source "ADO over ODBC"; for
// a driver's failure E_FAIL with the description "[SQLSTATE] message" of
// each diagnostic record, one per line.
//
// What no caller needs answers ADO_E_NOTAVAILABLE: editing rows through a
// recordset (AddNew, Update, Delete, UpdateBatch, CancelBatch, a field's
// Value put; CancelUpdate with nothing pending succeeds), chunks (GetChunk,
// AppendChunk), schemas (OpenSchema), persistence (Save, opening a file or
// "Provider=MSPersist;"), Seek and Index, NextRecordset, GetRows, the
// Properties and Errors collections, record binding (the IADORecordBinding
// interface is not given), output and return-value parameters, and the JRO
// JetEngine (compaction) class.
//
// Connection strings go to the driver manager as they are, with one rule:
// when the string's Driver names the SQLite ODBC driver (the driver whose
// library, as the driver manager lists it, is sqlite3odbc), the Server value
// is the database file. An absolute path is used as it stands (a Windows
// path is handed to the driver as the host path it stands for); an empty
// Server, "(local)" or "127.0.0.1" mean MARRENTOLBECK.db in the program's
// folder. The file goes to the driver as its Database value (a Database the
// string gives is dropped); UID and PWD are dropped, as SQLite has no log-in.
// A host path with characters beyond plain ASCII goes as a "file:" URI of
// its UTF-8 bytes, since unixODBC cuts a wide connection string to one byte
// per character on its way to the driver.
#pragma once

#include <windows.h>
#include <ole2.h>

// The compiler's adoint.h names its coclasses with statements ("Connection;")
// that C++ refuses; they are turned into forward declarations here, and the
// coclass type names are left out (no caller uses them).
#define __Connection_FWD_DEFINED__
#define __Record_FWD_DEFINED__
#define __Stream_FWD_DEFINED__
#define __Command_FWD_DEFINED__
#define __Recordset_FWD_DEFINED__
#define __Parameter_FWD_DEFINED__
#define Connection struct AdoConnectionCoclass
#define Record struct AdoRecordCoclass
#define Stream struct AdoStreamCoclass
#define Command struct AdoCommandCoclass
#define Recordset struct AdoRecordsetCoclass
#define Parameter struct AdoParameterCoclass
#include <adoint.h>
#undef Connection
#undef Record
#undef Stream
#undef Command
#undef Recordset
#undef Parameter

#ifdef ADO_BUILDING
#define ADO_API __declspec(dllexport)
#else
#define ADO_API __declspec(dllimport)
#endif

// ADO's "the object or provider cannot perform the operation" (3251).
#define ADO_E_NOTAVAILABLE ((HRESULT)0x800A0CB3L)
// No current row: BOF or EOF is true (3021).
#define ADO_E_NOCURRENTRECORD ((HRESULT)0x800A0BCDL)
// The object is closed (3704) / already open (3705).
#define ADO_E_OBJECTCLOSED ((HRESULT)0x800A0E78L)
#define ADO_E_OBJECTOPEN ((HRESULT)0x800A0E79L)
// An argument of the wrong type, out of range or in conflict (3001).
#define ADO_E_INVALIDARGUMENT ((HRESULT)0x800A0BB9L)
// No item of that name or ordinal in the collection (3265).
#define ADO_E_ITEMNOTFOUND ((HRESULT)0x800A0CC1L)

// Class ids.
inline const CLSID CLSID_AdoConnection = {0x00000514, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const CLSID CLSID_AdoRecordset = {0x00000535, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const CLSID CLSID_AdoCommand = {0x00000507, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const CLSID CLSID_AdoParameter = {0x0000050B, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const CLSID CLSID_JroJetEngine = {0xDE88C160, 0xFF2C, 0x11D1, {0xBB, 0x6F, 0x00, 0xC0, 0x4F, 0xAE, 0x22, 0xDA}};

// Interface ids.
inline const IID IID_AdoConnection = {0x00000550, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_AdoRecordset = {0x00000556, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_AdoCommand = {0xB08400BD, 0xF9D1, 0x4D02, {0xB8, 0x56, 0x71, 0xD5, 0xDB, 0xA1, 0x23, 0xE9}};
inline const IID IID_AdoParameter = {0x0000050C, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_AdoParameters = {0x0000050D, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_AdoFields = {0x00000564, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_AdoField = {0x00000569, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
inline const IID IID_JroJetEngine = {0x9F63D980, 0xFF25, 0x11D1, {0xBB, 0x6F, 0x00, 0xC0, 0x4F, 0xAE, 0x22, 0xDA}};
inline const IID IID_AdoRecordBinding = {0x00000544, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};

__CRT_UUID_DECL(_ADOConnection, 0x00000550, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)
__CRT_UUID_DECL(_ADORecordset, 0x00000556, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)
__CRT_UUID_DECL(_ADOCommand, 0xB08400BD, 0xF9D1, 0x4D02, 0xB8, 0x56, 0x71, 0xD5, 0xDB, 0xA1, 0x23, 0xE9)
__CRT_UUID_DECL(_ADOParameter, 0x0000050C, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)
__CRT_UUID_DECL(ADOParameters, 0x0000050D, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)
__CRT_UUID_DECL(ADOFields, 0x00000564, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)
__CRT_UUID_DECL(ADOField, 0x00000569, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4)

// The one way to an object: CoCreateInstance's contract for the classes
// above (the JetEngine class gives ADO_E_NOTAVAILABLE, any other class
// REGDB_E_CLASSNOTREG). Built for Windows, this is the one place that could
// hand out the system's ADO instead.
extern "C" ADO_API HRESULT WINAPI AdoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                                                    void** object);
