// The recordset side of the thin ADO wrapper: CADORecordset wraps one ADO
// Recordset, reads and writes field values with typed conversions, finds
// rows and edits them; CADOFieldInfo describes one field.
#pragma once

#include "ADOComSupport.h"
#include "ADODataBase.h"
#include "ADOText.h"
#include "afxdisp.h"

#include <icrsint.h>

class CADOCommand;

struct CADOFieldInfo
{
    char m_strName[30];  // cut to 29 bytes, never inside a double-byte character
    short m_nType;
    long m_lSize;
    long m_lDefinedSize;
    long m_lAttributes;
};

class CADORecordset
{
public:
    enum cadoOpenEnum { openUnknown = 0, openQuery = 1, openTable = 2, openStoredProc = 3 };
    enum cadoEditEnum { dbEditNone = 0, dbEditNew = 1, dbEdit = 2 };
    enum cadoPositionEnum { positionUnknown = -1, positionBOF = -2, positionEOF = -3 };
    enum cadoSearchEnum { searchForward = 1, searchBackward = -1 };
    enum cadoDataType {
        typeEmpty = adEmpty, typeTinyInt = adTinyInt, typeSmallInt = adSmallInt, typeInteger = adInteger,
        typeBigInt = adBigInt, typeSingle = adSingle, typeDouble = adDouble, typeCurrency = adCurrency,
        typeDecimal = adDecimal, typeNumeric = adNumeric, typeBoolean = adBoolean, typeDate = adDate,
        typeDBTimeStamp = adDBTimeStamp, typeChar = adChar, typeVarChar = adVarChar, typeWChar = adWChar,
        typeVarWChar = adVarWChar, typeLongVarChar = adLongVarChar, typeLongVarWChar = adLongVarWChar,
        typeBinary = adBinary, typeVarBinary = adVarBinary, typeLongVarBinary = adLongVarBinary
    };

    CADORecordset();
    CADORecordset(CADODataBase* pAdoDatabase);
    virtual ~CADORecordset();

    BOOL Open(_ConnectionPtr mpdb, LPCTSTR lpstrExec = _T(""), int nOption = openUnknown);
    BOOL Open(LPCTSTR lpstrExec = _T(""), int nOption = openUnknown);
    void Close();
    BOOL IsOpen();
    long GetRecordCount();
    CString GetQuery() { return m_strQuery; }
    BOOL OpenSchema(int nSchema, LPCTSTR SchemaID = _T(""));
    BOOL Requery();
    BOOL Execute(CADOCommand* pCommand);
    BOOL Clone(CADORecordset& pRs);
    BOOL SetFilter(LPCTSTR strFilter);
    BOOL SetSort(LPCTSTR lpstrCriteria);
    BOOL SaveAsXML(LPCTSTR lpstrXMLFile);
    BOOL OpenXML(LPCTSTR lpstrXMLFile);
    // Tab and carriage return unless given; nRows 0 means every row.
    CString GetString(LPCTSTR lpCols, LPCTSTR lpRows, long nRows = 0);

    BOOL GetFieldValue(LPCTSTR lpFieldName, double& dbValue);
    BOOL GetFieldValue(int nIndex, double& dbValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, long& lValue);
    BOOL GetFieldValue(int nIndex, long& lValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, unsigned long& ulValue);
    BOOL GetFieldValue(int nIndex, unsigned long& ulValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, int& nValue);
    BOOL GetFieldValue(int nIndex, int& nValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, CString& strValue, CString strDateFormat = _T(""));
    BOOL GetFieldValue(int nIndex, CString& strValue, CString strDateFormat = _T(""));
    BOOL GetFieldValue(LPCTSTR lpFieldName, COleDateTime& time);
    BOOL GetFieldValue(int nIndex, COleDateTime& time);
    BOOL GetFieldValue(LPCTSTR lpFieldName, bool& bValue);
    BOOL GetFieldValue(int nIndex, bool& bValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, COleCurrency& cyValue);
    BOOL GetFieldValue(int nIndex, COleCurrency& cyValue);
    BOOL GetFieldValue(LPCTSTR lpFieldName, _variant_t& vtValue);
    BOOL GetFieldValue(int nIndex, _variant_t& vtValue);

    BOOL IsFieldNull(LPCTSTR lpFieldName);
    BOOL IsFieldNull(int nIndex);
    BOOL IsFieldEmpty(LPCTSTR lpFieldName);
    BOOL IsFieldEmpty(int nIndex);
    BOOL GetFieldInfo(LPCTSTR lpFieldName, CADOFieldInfo* fldInfo);
    BOOL GetFieldInfo(int nIndex, CADOFieldInfo* fldInfo);
    BOOL GetChunk(LPCTSTR lpFieldName, CString& strValue);
    BOOL GetChunk(int nIndex, CString& strValue);
    BOOL GetChunk(LPCTSTR lpFieldName, LPVOID pData);
    BOOL GetChunk(int nIndex, LPVOID pData);
    BOOL AppendChunk(LPCTSTR lpFieldName, LPVOID pData, UINT nBytes);
    BOOL AppendChunk(int nIndex, LPVOID pData, UINT nBytes);

    BOOL SetFieldValue(LPCTSTR lpFieldName, CString strValue);
    BOOL SetFieldValue(int nIndex, CString strValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, int nValue);
    BOOL SetFieldValue(int nIndex, int nValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, long lValue);
    BOOL SetFieldValue(int nIndex, long lValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, unsigned long ulValue);
    BOOL SetFieldValue(int nIndex, unsigned long ulValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, double dblValue);
    BOOL SetFieldValue(int nIndex, double dblValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, COleDateTime time);
    BOOL SetFieldValue(int nIndex, COleDateTime time);
    BOOL SetFieldValue(LPCTSTR lpFieldName, bool bValue);
    BOOL SetFieldValue(int nIndex, bool bValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, COleCurrency cyValue);
    BOOL SetFieldValue(int nIndex, COleCurrency cyValue);
    BOOL SetFieldValue(LPCTSTR lpFieldName, _variant_t vtValue);
    BOOL SetFieldValue(int nIndex, _variant_t vtValue);
    BOOL SetFieldEmpty(LPCTSTR lpFieldName);
    BOOL SetFieldEmpty(int nIndex);

    BOOL AddNew();
    BOOL AddNew(CADORecordBinding& pAdoRecordBinding);
    void Edit();
    BOOL Update();
    void CancelUpdate();
    BOOL Delete();
    BOOL RecordBinding(CADORecordBinding& pAdoRecordBinding);
    int GetEditStatus() const { return m_nEditStatus; }

    BOOL Find(LPCTSTR lpFind, int nSearchDirection = searchForward);
    BOOL FindFirst(LPCTSTR lpFind);
    BOOL FindNext();
    // Keeps the current row's bookmark for SetBookmark.
    void GetBookmark();
    BOOL SetBookmark();

    CString GetLastErrorString() const { return m_strLastError; }
    DWORD GetLastError() const { return m_dwLastError; }

protected:
    BOOL PutFieldValue(const _variant_t& vtIndex, const _variant_t& vtFld);
    // The field's Value; FALSE (error dumped) on a COM error.
    BOOL FetchValue(const _variant_t& vtIndex, _variant_t& vtValue);
    FieldPtr FieldOf(const _variant_t& vtIndex);
    BOOL GetFieldInfo(const _variant_t& vtIndex, CADOFieldInfo* fldInfo);
    BOOL GetChunk(const _variant_t& vtIndex, CString& strValue);
    BOOL GetChunk(const _variant_t& vtIndex, LPVOID pData);
    BOOL AppendChunk(const _variant_t& vtIndex, LPVOID pData, UINT nBytes);
    BOOL FindFrom(const _variant_t& vtStart, long nSkip);
    void dump_com_error(const _com_error& e);
    // A guarded operation: a COM error is dumped and gives FALSE.
    template <class Call>
    BOOL Guarded(Call call)
    {
        try {
            return call();
        } catch (const _com_error& e) {
            dump_com_error(e);
            return FALSE;
        }
    }

public:
    _RecordsetPtr m_pRecordset;
    _CommandPtr m_pCmd;

protected:
    _ConnectionPtr m_pConnection;
    int m_nSearchDirection;
    CString m_strFind;
    _variant_t m_varBookFind;
    _variant_t m_varBookmark;
    int m_nEditStatus;
    CString m_strLastError;
    DWORD m_dwLastError;
    IADORecordBinding* m_pRecBinding;
    CString m_strQuery;
};
