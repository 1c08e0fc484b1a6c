// One statement of the rights store, with every value bound as a parameter
// so that no value (a quote, "--", ";") can change the statement; the rows
// of a select are read whole, ids with all 32 bits.
#pragma once

#include "ADOCommand.h"
#include "ADORecordset.h"

class CRightsStatement
{
public:
    // Raises a _com_error when the command cannot be made.
    CRightsStatement(CADODataBase* pDb, LPCTSTR lpszSql);

    // Values in the order of the statement's "?" markers. A text goes as it
    // is, an empty one as an empty text (not NULL).
    CRightsStatement& Text(const CString& strValue);
    CRightsStatement& Id(int nValue);

    // A statement without rows: TRUE when the database ran it.
    BOOL Run();
    // A select: TRUE when it opened; its rows are then in rs.
    BOOL Open(CADORecordset& rs);

private:
    BOOL m_bBound;  // every value reached the command
    CADOCommand m_command;
};

// Moving through the rows of an open recordset; a failure is raised as a
// _com_error, as the recordset's own moves do.
void MoveFirst(CADORecordset& rs);
void MoveNext(CADORecordset& rs);

// A field of the current row by name: an id whole, a text as read (an
// empty text for NULL).
int ReadId(CADORecordset& rs, LPCTSTR lpszField);
CString ReadText(CADORecordset& rs, LPCTSTR lpszField);

// Runs statements on one connection as one transaction: Commit makes them
// last; a guard that was not committed rolls them back when it goes, so a
// failure (or an exception) leaves the tables as they were.
class CRightsTransaction
{
public:
    // Raises a _com_error when no transaction can be begun.
    explicit CRightsTransaction(CADODataBase* pDb);
    ~CRightsTransaction();
    BOOL Commit();

private:
    _ConnectionPtr m_pConnection;
    BOOL m_bOpen;
};

// Runs an operation's body and turns an exception raised inside it (the
// class library's, database ones first, or the COM error of a recordset
// call that passes its errors on) into the operation's exception code; the
// body's recordsets close as it is left, and nothing ends the program.
template <class Body>
int RightsGuarded(int nExceptionCode, Body body)
{
    try {
        return body();
    } catch (CADOException* e) {
        e->Delete();
    } catch (CException* e) {
        e->Delete();
    } catch (const _com_error&) {
    }
    return nExceptionCode;
}
