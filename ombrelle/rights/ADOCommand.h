// Commands and parameters of the thin ADO wrapper: CADOCommand holds one
// ADO Command bound to a CADODataBase's connection; CADOParameter holds one
// ADO Parameter with typed setters and getters for its value.
#pragma once

#include "ADOComSupport.h"
#include "ADODataBase.h"
#include "afxdisp.h"

class CADOParameter
{
public:
    CADOParameter(int nType, long lSize = 0, int nDirection = adParamInput, CString strName = _T(""));
    virtual ~CADOParameter();

    BOOL SetValue(int nValue);
    BOOL SetValue(long lValue);
    BOOL SetValue(double dblValue);
    BOOL SetValue(CString strValue);
    BOOL SetValue(COleDateTime time);
    BOOL SetValue(_variant_t vtValue);

    BOOL GetValue(int& nValue);
    BOOL GetValue(long& lValue);
    BOOL GetValue(double& dbValue);
    BOOL GetValue(CString& strValue, CString strDateFormat = _T(""));
    BOOL GetValue(COleDateTime& time);
    BOOL GetValue(_variant_t& vtValue);

    void SetName(CString strName);
    CString GetName() const { return m_strName; }
    int GetType() const { return m_nType; }
    // The ADO object, with a reference added for the receiver.
    _ParameterPtr GetParameter() { return m_pParameter; }

    CString GetLastErrorString() const { return m_strLastError; }
    DWORD GetLastError() const { return m_dwLastError; }

protected:
    // Sets the size first when it reads 0; guarded.
    BOOL PutValue(const _variant_t& vtValue, long lSizeWhenZero);
    BOOL FetchValue(_variant_t& vtValue);
    void dump_com_error(const _com_error& e);

    _ParameterPtr m_pParameter;
    CString m_strName;
    int m_nType;
    CString m_strLastError;
    DWORD m_dwLastError;
};

class CADOCommand
{
public:
    CADOCommand(CADODataBase* pAdoDatabase, CString strCommandText = _T(""), int nCommandType = adCmdStoredProc);
    virtual ~CADOCommand();

    BOOL AddParameter(CADOParameter* pAdoParameter);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, int nValue);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, long lValue);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, double dblValue, int nPrecision = 0,
                      int nScale = 0);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, CString strValue);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, COleDateTime time);
    BOOL AddParameter(CString strName, int nType, int nDirection, long lSize, _variant_t vtValue,
                      int nPrecision = 0, int nScale = 0);

    void SetText(CString strCommandText);
    void SetType(int nCommandType);
    int GetType() const { return m_nCommandType; }
    // Runs the command with its own type; the records affected are kept.
    BOOL Execute();
    int GetRecordsAffected() const { return m_nRecordsAffected; }
    _CommandPtr GetCommand() { return m_pCommand; }

    CString GetText() const { return m_strCommandText; }
    CString GetLastErrorString() const { return m_strLastError; }
    DWORD GetLastError() const { return m_dwLastError; }

protected:
    void dump_com_error(const _com_error& e);

    _CommandPtr m_pCommand;
    int m_nCommandType;
    int m_nRecordsAffected;
    CString m_strCommandText;
    CString m_strLastError;
    DWORD m_dwLastError;
};
