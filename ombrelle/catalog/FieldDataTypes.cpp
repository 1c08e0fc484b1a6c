#include "FieldDataTypes.h"

#include "FormVocabulary.h"

namespace {

const char* const kDataTypeNames[] = {
    DataTypeAutoIncrement, DataTypeInteger, DataTypeFloat,  DataTypeCurrency, DataTypeVarString,
    DataTypeFixedString,   DataTypeDate,    DataTypeLongText, DataTypeBinary, DataTypeOther,
};

struct SqlServerType {
    int nTypeId;
    int nCode;
};

const SqlServerType kSqlServerTypes[] = {
    {34, 7},  {35, 7},  {99, 7},                                // image, text, ntext
    {36, 0},                                                    // uniqueidentifier
    {48, 1},  {52, 1},  {56, 1},  {104, 1}, {127, 1},           // tinyint .. bigint, bit
    {58, 6},  {61, 6},                                          // smalldatetime, datetime
    {59, 2},  {62, 2},  {106, 2}, {108, 2},                     // real, float, decimal, numeric
    {60, 3},  {122, 3},                                         // money, smallmoney
    {98, 9},  {189, 9},                                         // sql_variant, timestamp
    {165, 8}, {173, 8},                                         // varbinary, binary
    {167, 4}, {231, 4},                                         // varchar, nvarchar
    {175, 5}, {239, 5},                                         // char, nchar
};

}  // namespace

void DataTypeCodeByName(CDataTypeCodeMap& map)
{
    map.RemoveAll();
    for (int nCode = 0; nCode < int(sizeof kDataTypeNames / sizeof kDataTypeNames[0]); ++nCode)
        map.SetAt(kDataTypeNames[nCode], nCode);
}

void DataTypeNameByCode(CDataTypeNameMap& map)
{
    map.RemoveAll();
    for (int nCode = 0; nCode < int(sizeof kDataTypeNames / sizeof kDataTypeNames[0]); ++nCode)
        map.SetAt(nCode, kDataTypeNames[nCode]);
}

CString DataTypeToSqlType(int nCode, int nLength)
{
    CString strLength;
    strLength.Format("%d", nLength);
    switch (nCode) {
    case 0: return " int IDENTITY(1,1) ";
    case 1: return " int ";
    case 2: return " float ";
    case 3: return " money ";
    case 4: return "  varchar(" + strLength + ") ";
    case 5: return "  char(" + strLength + ") ";
    case 6: return " datetime ";
    case 7: return " text ";
    case 8: return " varbinary(" + strLength + ") ";
    case 9: AfxMessageBox(" not support "); return "";
    default: return "";
    }
}

int DataTypeOfSqlServerType(int nTypeId)
{
    for (const SqlServerType& type : kSqlServerTypes)
        if (type.nTypeId == nTypeId)
            return type.nCode;
    return -1;
}
