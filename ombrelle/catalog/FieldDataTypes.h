// The field data types of the form-control framework (codes 0 to 9, named by
// the form vocabulary) and their SQL Server column types.
#pragma once

#include "afxwin.h"
#include "afxtempl.h"

typedef CMap<CString, LPCTSTR, int, int> CDataTypeCodeMap;
typedef CMap<int, int, CString, LPCTSTR> CDataTypeNameMap;

// Empty the map, then enter the ten pairs.
void DataTypeCodeByName(CDataTypeCodeMap& map);
void DataTypeNameByCode(CDataTypeNameMap& map);

// The column type text of a code (with the length for the string and binary
// types); code 9 shows " not support "; any unknown code gives "".
CString DataTypeToSqlType(int nCode, int nLength);
// The code of a SQL Server system type number; -1 for a number it does not know.
int DataTypeOfSqlServerType(int nTypeId);
