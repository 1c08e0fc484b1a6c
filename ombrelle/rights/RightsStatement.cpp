#include "RightsStatement.h"

using adosupport::Check;

CRightsStatement::CRightsStatement(CADODataBase* pDb, LPCTSTR lpszSql)
    : m_bBound(TRUE), m_command(pDb, lpszSql, adCmdText)
{
    if (!m_command.GetCommand())
        _com_issue_error(E_POINTER);
}

CRightsStatement& CRightsStatement::Text(const CString& strValue)
{
    // The parameter's own text setter would send an empty text as NULL,
    // which no comparison matches: an empty password must still compare.
    CADOParameter parameter(adVarWChar, strValue.IsEmpty() ? 1 : strValue.GetLength(), adParamInput);
    m_bBound = m_bBound && parameter.SetValue(_variant_t((LPCTSTR)strValue)) && m_command.AddParameter(&parameter);
    return *this;
}

CRightsStatement& CRightsStatement::Id(int nValue)
{
    CADOParameter parameter(adInteger, 4, adParamInput);
    m_bBound = m_bBound && parameter.SetValue(nValue) && m_command.AddParameter(&parameter);
    return *this;
}

BOOL CRightsStatement::Run()
{
    return m_bBound && m_command.Execute();
}

BOOL CRightsStatement::Open(CADORecordset& rs)
{
    return m_bBound && rs.Execute(&m_command);
}

void MoveFirst(CADORecordset& rs)
{
    Check(rs.m_pRecordset, rs.m_pRecordset->MoveFirst());
}

void MoveNext(CADORecordset& rs)
{
    Check(rs.m_pRecordset, rs.m_pRecordset->MoveNext());
}

int ReadId(CADORecordset& rs, LPCTSTR lpszField)
{
    long lValue = 0;
    rs.GetFieldValue(lpszField, lValue);
    return int(lValue);
}

CString ReadText(CADORecordset& rs, LPCTSTR lpszField)
{
    CString strValue;
    rs.GetFieldValue(lpszField, strValue);
    return strValue;
}

CRightsTransaction::CRightsTransaction(CADODataBase* pDb)
    : m_pConnection(pDb->GetActiveConnection()), m_bOpen(FALSE)
{
    if (!m_pConnection)
        _com_issue_error(E_POINTER);
    long level = 0;
    Check(m_pConnection, m_pConnection->BeginTrans(&level));
    m_bOpen = TRUE;
}

CRightsTransaction::~CRightsTransaction()
{
    if (m_bOpen)
        m_pConnection->RollbackTrans();
}

BOOL CRightsTransaction::Commit()
{
    m_bOpen = FALSE;
    return SUCCEEDED(m_pConnection->CommitTrans());
}
