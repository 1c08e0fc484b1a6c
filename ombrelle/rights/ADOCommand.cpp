#include "ADOCommand.h"

#include "ADOValue.h"

using adosupport::Check;

using adovalue::FromDate;
using adovalue::FromLong;

// ---------------------------------------------------------------------------
// CADOParameter

CADOParameter::CADOParameter(int nType, long lSize, int nDirection, CString strName)
    : m_nType(nType), m_dwLastError(0)
{
    adosupport::MakeObject(CLSID_AdoParameter, m_pParameter);
    Check(m_pParameter, m_pParameter->put_Direction(ParameterDirectionEnum(nDirection)));
    m_strName = strName;
    Check(m_pParameter, m_pParameter->put_Name(_bstr_t((LPCTSTR)strName)));
    Check(m_pParameter, m_pParameter->put_Type(DataTypeEnum(nType)));
    Check(m_pParameter, m_pParameter->put_Size(lSize));
}

CADOParameter::~CADOParameter()
{
    m_pParameter = nullptr;
    m_strName.Empty();
}

void CADOParameter::SetName(CString strName)
{
    m_strName = strName;
    Check(m_pParameter, m_pParameter->put_Name(_bstr_t((LPCTSTR)strName)));
}

BOOL CADOParameter::PutValue(const _variant_t& vtValue, long lSizeWhenZero)
{
    try {
        ADO_LONGPTR size = 0;
        Check(m_pParameter, m_pParameter->get_Size(&size));
        if (size == 0)
            Check(m_pParameter, m_pParameter->put_Size(lSizeWhenZero));
        Check(m_pParameter, m_pParameter->put_Value(vtValue));
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

// An int travels whole, as a 32-bit value.
BOOL CADOParameter::SetValue(int nValue) { return PutValue(FromLong(nValue), 4); }
BOOL CADOParameter::SetValue(long lValue) { return PutValue(FromLong(lValue), 4); }
BOOL CADOParameter::SetValue(double dblValue) { return PutValue(_variant_t(dblValue), 8); }

BOOL CADOParameter::SetValue(CString strValue)
{
    return PutValue(adovalue::FromText(strValue), strValue.GetLength());
}

BOOL CADOParameter::SetValue(COleDateTime time) { return PutValue(FromDate(time), 8); }
BOOL CADOParameter::SetValue(_variant_t vtValue) { return PutValue(vtValue, 16); }

BOOL CADOParameter::FetchValue(_variant_t& vtValue)
{
    try {
        VARIANT value;
        ::VariantInit(&value);
        Check(m_pParameter, m_pParameter->get_Value(&value));
        vtValue.Attach(value);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADOParameter::GetValue(int& nValue)
{
    _variant_t value;
    long number = 0;
    if (!FetchValue(value) || !adovalue::ToLong(value, number))
        return FALSE;
    nValue = int(number);
    return TRUE;
}

BOOL CADOParameter::GetValue(long& lValue)
{
    _variant_t value;
    return FetchValue(value) && adovalue::ToLong(value, lValue);
}

BOOL CADOParameter::GetValue(double& dbValue)
{
    _variant_t value;
    return FetchValue(value) && adovalue::ToDouble(value, dbValue);
}

BOOL CADOParameter::GetValue(CString& strValue, CString strDateFormat)
{
    _variant_t value;
    return FetchValue(value) && adovalue::ToText(value, strValue, strDateFormat, adovalue::WithoutUnsignedAndBool);
}

BOOL CADOParameter::GetValue(COleDateTime& time)
{
    _variant_t value;
    return FetchValue(value) && adovalue::ToDate(value, time);
}

BOOL CADOParameter::GetValue(_variant_t& vtValue)
{
    return FetchValue(vtValue);
}

void CADOParameter::dump_com_error(const _com_error& e)
{
    m_strLastError = adosupport::ErrorDump(_T("CADOParameter"), e);
    m_dwLastError = DWORD(e.Error());
}

// ---------------------------------------------------------------------------
// CADOCommand

CADOCommand::CADOCommand(CADODataBase* pAdoDatabase, CString strCommandText, int nCommandType)
    : m_nCommandType(nCommandType), m_nRecordsAffected(0), m_strCommandText(strCommandText), m_dwLastError(0)
{
    adosupport::MakeObject(CLSID_AdoCommand, m_pCommand);
    Check(m_pCommand, m_pCommand->put_CommandText(_bstr_t((LPCTSTR)strCommandText)));
    Check(m_pCommand, m_pCommand->put_CommandType(CommandTypeEnum(nCommandType)));
    _ConnectionPtr connection;
    if (pAdoDatabase != NULL)
        connection = pAdoDatabase->GetActiveConnection();
    Check(m_pCommand, m_pCommand->putref_ActiveConnection(connection));
}

CADOCommand::~CADOCommand()
{
    m_pCommand = nullptr;
    m_strCommandText.Empty();
    m_strLastError.Empty();
}

BOOL CADOCommand::AddParameter(CADOParameter* pAdoParameter)
{
    try {
        ADOParameters* parameters = nullptr;
        Check(m_pCommand, m_pCommand->get_Parameters(&parameters));
        ParametersPtr owned;
        owned.Attach(parameters);
        if (pAdoParameter == NULL)
            _com_issue_error(E_POINTER);
        _ParameterPtr parameter = pAdoParameter->GetParameter();
        Check(owned, owned->Append(parameter));
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, _variant_t vtValue,
                               int nPrecision, int nScale)
{
    try {
        _ADOParameter* created = nullptr;
        Check(m_pCommand, m_pCommand->CreateParameter(_bstr_t((LPCTSTR)strName), DataTypeEnum(nType),
                                                      ParameterDirectionEnum(nDirection), lSize, vtValue, &created));
        _ParameterPtr parameter;
        parameter.Attach(created);
        Check(parameter, parameter->put_Precision(BYTE(nPrecision)));
        Check(parameter, parameter->put_NumericScale(BYTE(nScale)));
        ADOParameters* parameters = nullptr;
        Check(m_pCommand, m_pCommand->get_Parameters(&parameters));
        ParametersPtr owned;
        owned.Attach(parameters);
        Check(owned, owned->Append(parameter));
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

// An int travels whole, as a 32-bit value.
BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, int nValue)
{
    return AddParameter(strName, nType, nDirection, lSize, FromLong(nValue), 0, 0);
}

BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, long lValue)
{
    return AddParameter(strName, nType, nDirection, lSize, FromLong(lValue), 0, 0);
}

BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, double dblValue,
                               int nPrecision, int nScale)
{
    return AddParameter(strName, nType, nDirection, lSize, _variant_t(dblValue), nPrecision, nScale);
}

BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, CString strValue)
{
    return AddParameter(strName, nType, nDirection, lSize, _variant_t((LPCTSTR)strValue), 0, 0);
}

BOOL CADOCommand::AddParameter(CString strName, int nType, int nDirection, long lSize, COleDateTime time)
{
    return AddParameter(strName, nType, nDirection, lSize, FromDate(time), 0, 0);
}

void CADOCommand::SetText(CString strCommandText)
{
    m_strCommandText = strCommandText;
    Check(m_pCommand, m_pCommand->put_CommandText(_bstr_t((LPCTSTR)strCommandText)));
}

void CADOCommand::SetType(int nCommandType)
{
    m_nCommandType = nCommandType;
    Check(m_pCommand, m_pCommand->put_CommandType(CommandTypeEnum(nCommandType)));
}

BOOL CADOCommand::Execute()
{
    m_nRecordsAffected = 0;
    try {
        _variant_t affected;
        _ADORecordset* returned = nullptr;
        Check(m_pCommand, m_pCommand->Execute(&affected, NULL, m_nCommandType, &returned));
        _RecordsetPtr unused;
        unused.Attach(returned);
        affected.ChangeType(VT_I4);
        m_nRecordsAffected = int(affected.lVal);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

void CADOCommand::dump_com_error(const _com_error& e)
{
    m_strLastError = adosupport::ErrorDump(_T("CADOCommand"), e);
    m_dwLastError = DWORD(e.Error());
}
