#include "ADORecordset.h"

#include "ADOCommand.h"
#include "ADOValue.h"

using adosupport::Check;
using adosupport::IndexKey;
using adosupport::NameKey;

namespace {

// A name array of CADOFieldInfo: at most 29 bytes, cut before a lead byte
// whose trail byte would not fit.
void CopyFieldName(const CString& name, char (&target)[30])
{
    const int length = name.GetLength();
    int kept = 0;
    while (kept < length) {
        const int step = ::IsDBCSLeadByte(BYTE(name[kept])) && kept + 1 < length ? 2 : 1;
        if (kept + step > int(sizeof target) - 1)
            break;
        kept += step;
    }
    memcpy(target, (LPCTSTR)name, size_t(kept));
    target[kept] = '\0';
}

}  // namespace

CADORecordset::CADORecordset()
    : m_nSearchDirection(searchForward), m_nEditStatus(dbEditNone), m_dwLastError(0), m_pRecBinding(NULL)
{
    adosupport::MakeObject(CLSID_AdoRecordset, m_pRecordset);
    adosupport::MakeObject(CLSID_AdoCommand, m_pCmd);
}

CADORecordset::CADORecordset(CADODataBase* pAdoDatabase)
    : m_nSearchDirection(searchForward), m_nEditStatus(dbEditNone), m_dwLastError(0), m_pRecBinding(NULL)
{
    adosupport::MakeObject(CLSID_AdoRecordset, m_pRecordset);
    adosupport::MakeObject(CLSID_AdoCommand, m_pCmd);
    if (pAdoDatabase != NULL)
        m_pConnection = pAdoDatabase->GetActiveConnection();
}

CADORecordset::~CADORecordset()
{
    try {
        Close();
    } catch (const _com_error&) {
        // A destructor lets nothing out; the recordset goes with its object.
    }
    if (m_pRecBinding)
        m_pRecBinding->Release();
    m_pRecBinding = nullptr;
    m_pRecordset = nullptr;
    m_pCmd = nullptr;
    m_strQuery.Empty();
    m_strLastError.Empty();
    m_nEditStatus = dbEditNone;
    m_dwLastError = 0;
    m_varBookFind.Clear();
    m_varBookmark.Clear();
    m_pConnection = nullptr;
}

// ---------------------------------------------------------------------------
// Opening and closing

BOOL CADORecordset::Open(_ConnectionPtr mpdb, LPCTSTR lpstrExec, int nOption)
{
    Close();
    if (lpstrExec != NULL && lpstrExec[0] != '\0')
        m_strQuery = lpstrExec;
    if (!m_pConnection)
        m_pConnection = mpdb;
    m_strQuery.TrimLeft();
    if (nOption < openUnknown || nOption > openStoredProc)
        return FALSE;
    try {
        Check(m_pRecordset, m_pRecordset->put_CursorType(adOpenStatic));
        Check(m_pRecordset, m_pRecordset->put_CursorLocation(adUseClient));
        const _variant_t connection(static_cast<IDispatch*>(mpdb.GetInterfacePtr()), true);
        switch (nOption) {
        case openTable:
            Check(m_pRecordset, m_pRecordset->Open(_variant_t((LPCTSTR)m_strQuery), connection, adOpenKeyset,
                                                   adLockOptimistic, adCmdTable));
            return TRUE;
        case openStoredProc: {
            Check(m_pCmd, m_pCmd->putref_ActiveConnection(mpdb));
            Check(m_pCmd, m_pCmd->put_CommandText(_bstr_t((LPCTSTR)m_strQuery)));
            Check(m_pCmd, m_pCmd->put_CommandType(adCmdStoredProc));
            Check(m_pConnection, m_pConnection->put_CursorLocation(adUseClient));
            _ADORecordset* returned = nullptr;
            Check(m_pCmd, m_pCmd->Execute(NULL, NULL, adCmdText, &returned));
            m_pRecordset.Attach(returned);
            return m_pRecordset ? TRUE : FALSE;
        }
        default:
            Check(m_pRecordset, m_pRecordset->Open(_variant_t((LPCTSTR)m_strQuery), connection, adOpenStatic,
                                                   adLockOptimistic, adCmdUnknown));
            return TRUE;
        }
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADORecordset::Open(LPCTSTR lpstrExec, int nOption)
{
    return Open(m_pConnection, lpstrExec, nOption);
}

void CADORecordset::Close()
{
    if (IsOpen()) {
        if (m_nEditStatus != dbEditNone)
            CancelUpdate();
        Check(m_pRecordset, m_pRecordset->put_Sort(_bstr_t("")));
        Check(m_pRecordset, m_pRecordset->Close());
    }
}

BOOL CADORecordset::IsOpen()
{
    if (!m_pRecordset || !m_pConnection)
        return FALSE;
    LONG state = adStateClosed;
    Check(m_pConnection, m_pConnection->get_State(&state));
    if (state == adStateClosed)
        return FALSE;
    Check(m_pRecordset, m_pRecordset->get_State(&state));
    return state != adStateClosed;
}

long CADORecordset::GetRecordCount()
{
    return adosupport::CountRecords(m_pRecordset);
}

BOOL CADORecordset::OpenSchema(int nSchema, LPCTSTR SchemaID)
{
    try {
        _variant_t schemaId = vtMissing;
        if (SchemaID != NULL && SchemaID[0] != '\0')
            schemaId = _variant_t(SchemaID);
        _ADORecordset* returned = nullptr;
        Check(m_pConnection,
              m_pConnection->OpenSchema(SchemaEnum(nSchema), vtMissing, schemaId, &returned));
        m_pRecordset.Attach(returned);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADORecordset::Requery()
{
    try {
        if (!IsOpen())
            return TRUE;
        Check(m_pRecordset, m_pRecordset->Requery(0x800));
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADORecordset::Execute(CADOCommand* pCommand)
{
    try {
        if (IsOpen())
            Close();
        Check(m_pConnection, m_pConnection->put_CursorLocation(adUseClient));
        if (pCommand == NULL)
            _com_issue_error(E_POINTER);
        _CommandPtr command = pCommand->GetCommand();
        _ADORecordset* returned = nullptr;
        Check(command, command->Execute(NULL, NULL, pCommand->GetType(), &returned));
        m_pRecordset.Attach(returned);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADORecordset::Clone(CADORecordset& pRs)
{
    return Guarded([&] {
        _ADORecordset* returned = nullptr;
        Check(m_pRecordset, m_pRecordset->Clone(adLockUnspecified, &returned));
        pRs.m_pRecordset.Attach(returned);
        return TRUE;
    });
}

BOOL CADORecordset::SetFilter(LPCTSTR strFilter)
{
    return Guarded([&] {
        Check(m_pRecordset, m_pRecordset->put_Filter(_variant_t(strFilter)));
        return TRUE;
    });
}

BOOL CADORecordset::SetSort(LPCTSTR lpstrCriteria)
{
    return Guarded([&] {
        Check(m_pRecordset, m_pRecordset->put_Sort(_bstr_t(lpstrCriteria)));
        return TRUE;
    });
}

BOOL CADORecordset::SaveAsXML(LPCTSTR lpstrXMLFile)
{
    return Guarded([&] {
        const HRESULT hr = m_pRecordset->Save(_variant_t(lpstrXMLFile), adPersistXML);
        Check(m_pRecordset, hr);
        return hr == S_OK;
    });
}

BOOL CADORecordset::OpenXML(LPCTSTR lpstrXMLFile)
{
    if (IsOpen())
        Close();
    return Guarded([&] {
        const HRESULT hr = m_pRecordset->Open(_variant_t(lpstrXMLFile), _variant_t("Provider=MSPersist;"),
                                              adOpenForwardOnly, adLockOptimistic, adCmdFile);
        Check(m_pRecordset, hr);
        return hr == S_OK;
    });
}

CString CADORecordset::GetString(LPCTSTR lpCols, LPCTSTR lpRows, long nRows)
{
    const _bstr_t columns(lpCols != NULL && lpCols[0] != '\0' ? lpCols : "\t");
    const _bstr_t rows(lpRows != NULL && lpRows[0] != '\0' ? lpRows : "\r");
    if (nRows == 0)
        nRows = GetRecordCount();
    BSTR text = nullptr;
    Check(m_pRecordset, m_pRecordset->GetString(adClipString, nRows, columns, rows, _bstr_t(""), &text));
    _bstr_t owned(text, false);
    return adosupport::NarrowText(owned.GetBSTR());
}

// ---------------------------------------------------------------------------
// Reading fields

FieldPtr CADORecordset::FieldOf(const _variant_t& vtIndex)
{
    ADOFields* fields = nullptr;
    Check(m_pRecordset, m_pRecordset->get_Fields(&fields));
    FieldsPtr owned;
    owned.Attach(fields);
    ADOField* field = nullptr;
    Check(owned, owned->get_Item(vtIndex, &field));
    FieldPtr result;
    result.Attach(field);
    return result;
}

BOOL CADORecordset::FetchValue(const _variant_t& vtIndex, _variant_t& vtValue)
{
    try {
        FieldPtr field = FieldOf(vtIndex);
        VARIANT value;
        ::VariantInit(&value);
        Check(field, field->get_Value(&value));
        vtValue.Attach(value);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

#define ADO_GETTER(Type, Convert)                                             \
    BOOL CADORecordset::GetFieldValue(LPCTSTR lpFieldName, Type& value)       \
    {                                                                         \
        _variant_t fetched;                                                   \
        return FetchValue(NameKey(lpFieldName), fetched) && Convert;          \
    }                                                                         \
    BOOL CADORecordset::GetFieldValue(int nIndex, Type& value)                \
    {                                                                         \
        _variant_t fetched;                                                   \
        return FetchValue(IndexKey(nIndex), fetched) && Convert;              \
    }

namespace {

BOOL ToUnsigned(const VARIANT& fetched, unsigned long& value)
{
    long number = 0;
    adovalue::ToLong(fetched, number);
    value = static_cast<unsigned long>(number);
    return TRUE;
}

BOOL ToInt(const VARIANT& fetched, int& value)
{
    long number = 0;
    adovalue::ToLong(fetched, number);
    value = int(number);
    return TRUE;
}

BOOL Copy(const VARIANT& fetched, _variant_t& value)
{
    value = fetched;
    return TRUE;
}

}  // namespace

ADO_GETTER(double, adovalue::ToDouble(fetched, value))
ADO_GETTER(long, adovalue::ToLong(fetched, value))
ADO_GETTER(unsigned long, ToUnsigned(fetched, value))
ADO_GETTER(int, ToInt(fetched, value))
ADO_GETTER(COleDateTime, adovalue::ToDate(fetched, value))
ADO_GETTER(bool, adovalue::ToBool(fetched, value))
ADO_GETTER(COleCurrency, adovalue::ToCurrency(fetched, value))
ADO_GETTER(_variant_t, Copy(fetched, value))

#undef ADO_GETTER

BOOL CADORecordset::GetFieldValue(LPCTSTR lpFieldName, CString& strValue, CString strDateFormat)
{
    _variant_t fetched;
    return FetchValue(NameKey(lpFieldName), fetched) && adovalue::ToText(fetched, strValue, strDateFormat);
}

BOOL CADORecordset::GetFieldValue(int nIndex, CString& strValue, CString strDateFormat)
{
    _variant_t fetched;
    return FetchValue(IndexKey(nIndex), fetched) && adovalue::ToText(fetched, strValue, strDateFormat);
}

BOOL CADORecordset::IsFieldNull(LPCTSTR lpFieldName)
{
    _variant_t fetched;
    return FetchValue(NameKey(lpFieldName), fetched) && fetched.vt == VT_NULL;
}

BOOL CADORecordset::IsFieldNull(int nIndex)
{
    _variant_t fetched;
    return FetchValue(IndexKey(nIndex), fetched) && fetched.vt == VT_NULL;
}

BOOL CADORecordset::IsFieldEmpty(LPCTSTR lpFieldName)
{
    _variant_t fetched;
    return FetchValue(NameKey(lpFieldName), fetched) && (fetched.vt == VT_EMPTY || fetched.vt == VT_NULL);
}

BOOL CADORecordset::IsFieldEmpty(int nIndex)
{
    _variant_t fetched;
    return FetchValue(IndexKey(nIndex), fetched) && (fetched.vt == VT_EMPTY || fetched.vt == VT_NULL);
}

BOOL CADORecordset::GetFieldInfo(const _variant_t& vtIndex, CADOFieldInfo* fldInfo)
{
    FieldPtr field = FieldOf(vtIndex);
    memset(fldInfo, 0, sizeof(CADOFieldInfo));
    BSTR name = nullptr;
    Check(field, field->get_Name(&name));
    _bstr_t ownedName(name, false);
    CopyFieldName(adosupport::NarrowText(ownedName.GetBSTR()), fldInfo->m_strName);
    ADO_LONGPTR size = 0;
    Check(field, field->get_DefinedSize(&size));
    fldInfo->m_lDefinedSize = long(size);
    DataTypeEnum type = adEmpty;
    Check(field, field->get_Type(&type));
    fldInfo->m_nType = short(type);
    long attributes = 0;
    Check(field, field->get_Attributes(&attributes));
    fldInfo->m_lAttributes = attributes;
    VARIANT_BOOL eof = VARIANT_TRUE;
    Check(m_pRecordset, m_pRecordset->get_EOF(&eof));
    if (eof != VARIANT_TRUE) {
        Check(field, field->get_ActualSize(&size));
        fldInfo->m_lSize = long(size);
    }
    return TRUE;
}

BOOL CADORecordset::GetFieldInfo(LPCTSTR lpFieldName, CADOFieldInfo* fldInfo)
{
    return GetFieldInfo(NameKey(lpFieldName), fldInfo);
}

BOOL CADORecordset::GetFieldInfo(int nIndex, CADOFieldInfo* fldInfo)
{
    return GetFieldInfo(IndexKey(nIndex), fldInfo);
}

BOOL CADORecordset::GetChunk(const _variant_t& vtIndex, CString& strValue)
{
    FieldPtr field = FieldOf(vtIndex);
    ADO_LONGPTR size = 0;
    Check(field, field->get_ActualSize(&size));
    CString text;
    try {
        for (ADO_LONGPTR offset = 0; offset < size; offset += 100) {
            _variant_t chunk;
            VARIANT piece;
            ::VariantInit(&piece);
            Check(field, field->GetChunk(100, &piece));
            chunk.Attach(piece);
            chunk.ChangeType(VT_BSTR);
            text += adosupport::NarrowText(chunk.bstrVal);
        }
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
    strValue = text;
    return TRUE;
}

BOOL CADORecordset::GetChunk(const _variant_t& vtIndex, LPVOID pData)
{
    FieldPtr field = FieldOf(vtIndex);
    ADO_LONGPTR size = 0;
    Check(field, field->get_ActualSize(&size));
    BYTE* target = static_cast<BYTE*>(pData);
    try {
        for (ADO_LONGPTR offset = 0; offset < size; offset += 100) {
            _variant_t chunk;
            VARIANT piece;
            ::VariantInit(&piece);
            Check(field, field->GetChunk(100, &piece));
            chunk.Attach(piece);
            if (chunk.vt != (VT_ARRAY | VT_UI1))
                continue;
            LONG upper = -1;
            ::SafeArrayGetUBound(chunk.parray, 1, &upper);
            for (LONG i = 0; i <= upper && i < 100; ++i)
                ::SafeArrayGetElement(chunk.parray, &i, target++);
        }
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
    return TRUE;
}

BOOL CADORecordset::AppendChunk(const _variant_t& vtIndex, LPVOID pData, UINT nBytes)
{
    SAFEARRAYBOUND bound;
    bound.lLbound = 0;
    bound.cElements = nBytes;
    SAFEARRAY* array = ::SafeArrayCreate(VT_UI1, 1, &bound);
    if (array == NULL)
        return FALSE;
    for (LONG i = 0; i < LONG(nBytes); ++i) {
        if (FAILED(::SafeArrayPutElement(array, &i, static_cast<BYTE*>(pData) + i))) {
            ::SafeArrayDestroy(array);
            return FALSE;
        }
    }
    _variant_t data;
    data.vt = VT_ARRAY | VT_UI1;
    data.parray = array;
    FieldPtr field = FieldOf(vtIndex);
    Check(field, field->AppendChunk(data));
    return TRUE;
}

BOOL CADORecordset::GetChunk(LPCTSTR lpFieldName, CString& strValue) { return GetChunk(NameKey(lpFieldName), strValue); }
BOOL CADORecordset::GetChunk(int nIndex, CString& strValue) { return GetChunk(IndexKey(nIndex), strValue); }
BOOL CADORecordset::GetChunk(LPCTSTR lpFieldName, LPVOID pData) { return GetChunk(NameKey(lpFieldName), pData); }
BOOL CADORecordset::GetChunk(int nIndex, LPVOID pData) { return GetChunk(IndexKey(nIndex), pData); }

BOOL CADORecordset::AppendChunk(LPCTSTR lpFieldName, LPVOID pData, UINT nBytes)
{
    return AppendChunk(NameKey(lpFieldName), pData, nBytes);
}

BOOL CADORecordset::AppendChunk(int nIndex, LPVOID pData, UINT nBytes)
{
    return AppendChunk(IndexKey(nIndex), pData, nBytes);
}

// ---------------------------------------------------------------------------
// Writing fields and rows

BOOL CADORecordset::PutFieldValue(const _variant_t& vtIndex, const _variant_t& vtFld)
{
    if (m_nEditStatus == dbEditNone)
        return FALSE;
    try {
        FieldPtr field = FieldOf(vtIndex);
        Check(field, field->put_Value(vtFld));
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

namespace {

_variant_t UnsignedValue(unsigned long ulValue)
{
    _variant_t value;
    value.vt = VT_UI4;
    value.ulVal = ulValue;
    return value;
}

_variant_t BoolValue(bool bValue)
{
    _variant_t value;
    value.vt = VT_BOOL;
    value.boolVal = bValue ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}

_variant_t CurrencyValue(const COleCurrency& cyValue)
{
    _variant_t value;
    value.vt = VT_CY;
    value.cyVal = cyValue.m_cur;
    return value;
}

}  // namespace

BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, CString strValue)
{
    return PutFieldValue(NameKey(lpFieldName), adovalue::FromText(strValue));
}

BOOL CADORecordset::SetFieldValue(int nIndex, CString strValue)
{
    return PutFieldValue(IndexKey(nIndex), adovalue::FromText(strValue));
}

// An int keeps all its 32 bits.
BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, int nValue) { return PutFieldValue(NameKey(lpFieldName), adovalue::FromLong(nValue)); }
BOOL CADORecordset::SetFieldValue(int nIndex, int nValue) { return PutFieldValue(IndexKey(nIndex), adovalue::FromLong(nValue)); }
BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, long lValue) { return PutFieldValue(NameKey(lpFieldName), adovalue::FromLong(lValue)); }
BOOL CADORecordset::SetFieldValue(int nIndex, long lValue) { return PutFieldValue(IndexKey(nIndex), adovalue::FromLong(lValue)); }

BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, unsigned long ulValue)
{
    return PutFieldValue(NameKey(lpFieldName), UnsignedValue(ulValue));
}

BOOL CADORecordset::SetFieldValue(int nIndex, unsigned long ulValue)
{
    return PutFieldValue(IndexKey(nIndex), UnsignedValue(ulValue));
}

BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, double dblValue) { return PutFieldValue(NameKey(lpFieldName), _variant_t(dblValue)); }
BOOL CADORecordset::SetFieldValue(int nIndex, double dblValue) { return PutFieldValue(IndexKey(nIndex), _variant_t(dblValue)); }
BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, COleDateTime time) { return PutFieldValue(NameKey(lpFieldName), adovalue::FromDate(time)); }
BOOL CADORecordset::SetFieldValue(int nIndex, COleDateTime time) { return PutFieldValue(IndexKey(nIndex), adovalue::FromDate(time)); }
BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, bool bValue) { return PutFieldValue(NameKey(lpFieldName), BoolValue(bValue)); }
BOOL CADORecordset::SetFieldValue(int nIndex, bool bValue) { return PutFieldValue(IndexKey(nIndex), BoolValue(bValue)); }

BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, COleCurrency cyValue)
{
    if (cyValue.GetStatus() == COleCurrency::invalid)
        return FALSE;
    return PutFieldValue(NameKey(lpFieldName), CurrencyValue(cyValue));
}

BOOL CADORecordset::SetFieldValue(int nIndex, COleCurrency cyValue)
{
    if (cyValue.GetStatus() == COleCurrency::invalid)
        return FALSE;
    return PutFieldValue(IndexKey(nIndex), CurrencyValue(cyValue));
}

BOOL CADORecordset::SetFieldValue(LPCTSTR lpFieldName, _variant_t vtValue) { return PutFieldValue(NameKey(lpFieldName), vtValue); }
BOOL CADORecordset::SetFieldValue(int nIndex, _variant_t vtValue) { return PutFieldValue(IndexKey(nIndex), vtValue); }
BOOL CADORecordset::SetFieldEmpty(LPCTSTR lpFieldName) { return PutFieldValue(NameKey(lpFieldName), _variant_t()); }
BOOL CADORecordset::SetFieldEmpty(int nIndex) { return PutFieldValue(IndexKey(nIndex), _variant_t()); }

BOOL CADORecordset::AddNew()
{
    m_nEditStatus = dbEditNone;
    const HRESULT hr = m_pRecordset->AddNew(vtMissing, vtMissing);
    Check(m_pRecordset, hr);
    if (hr != S_OK)
        return FALSE;
    m_nEditStatus = dbEditNew;
    return TRUE;
}

BOOL CADORecordset::AddNew(CADORecordBinding& pAdoRecordBinding)
{
    try {
        if (m_pRecBinding == NULL)
            _com_issue_error(E_POINTER);
        const HRESULT hr = m_pRecBinding->AddNew(&pAdoRecordBinding);
        if (FAILED(hr))
            _com_issue_errorex(hr, m_pRecBinding, IID_AdoRecordBinding);
        if (hr != S_OK)
            return FALSE;
        const HRESULT updated = m_pRecBinding->Update(&pAdoRecordBinding);
        if (FAILED(updated))
            _com_issue_errorex(updated, m_pRecBinding, IID_AdoRecordBinding);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

void CADORecordset::Edit()
{
    m_nEditStatus = dbEdit;
}

BOOL CADORecordset::Update()
{
    if (m_nEditStatus == dbEditNone)
        return TRUE;
    BOOL bUpdated = FALSE;
    try {
        const HRESULT hr = m_pRecordset->Update(vtMissing, vtMissing);
        Check(m_pRecordset, hr);
        bUpdated = hr == S_OK;
    } catch (const _com_error& e) {
        dump_com_error(e);
        bUpdated = FALSE;
    }
    if (!bUpdated)
        Check(m_pRecordset, m_pRecordset->CancelUpdate());
    m_nEditStatus = dbEditNone;
    return bUpdated;
}

void CADORecordset::CancelUpdate()
{
    Check(m_pRecordset, m_pRecordset->CancelUpdate());
    m_nEditStatus = dbEditNone;
}

BOOL CADORecordset::Delete()
{
    HRESULT hr = m_pRecordset->Delete(adAffectCurrent);
    Check(m_pRecordset, hr);
    if (hr != S_OK)
        return FALSE;
    hr = m_pRecordset->Update(vtMissing, vtMissing);
    Check(m_pRecordset, hr);
    if (hr != S_OK)
        return FALSE;
    m_nEditStatus = dbEditNone;
    return TRUE;
}

BOOL CADORecordset::RecordBinding(CADORecordBinding& pAdoRecordBinding)
{
    if (m_pRecBinding) {
        m_pRecBinding->Release();
        m_pRecBinding = nullptr;
    }
    Check(m_pRecordset,
          m_pRecordset->QueryInterface(IID_AdoRecordBinding, reinterpret_cast<void**>(&m_pRecBinding)));
    const HRESULT hr = m_pRecBinding->BindToRecordset(&pAdoRecordBinding);
    if (FAILED(hr))
        _com_issue_errorex(hr, m_pRecBinding, IID_AdoRecordBinding);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Finding

BOOL CADORecordset::FindFrom(const _variant_t& vtStart, long nSkip)
{
    const bool forward = m_nSearchDirection == searchForward;
    Check(m_pRecordset, m_pRecordset->Find(_bstr_t((LPCTSTR)m_strFind), nSkip,
                                           forward ? adSearchForward : adSearchBackward, vtStart));
    VARIANT_BOOL end = VARIANT_FALSE;
    if (forward)
        Check(m_pRecordset, m_pRecordset->get_EOF(&end));
    else
        Check(m_pRecordset, m_pRecordset->get_BOF(&end));
    if (end == VARIANT_TRUE)
        return FALSE;
    VARIANT bookmark;
    ::VariantInit(&bookmark);
    Check(m_pRecordset, m_pRecordset->get_Bookmark(&bookmark));
    m_varBookFind.Attach(bookmark);
    return TRUE;
}

BOOL CADORecordset::Find(LPCTSTR lpFind, int nSearchDirection)
{
    m_strFind = lpFind;
    m_nSearchDirection = nSearchDirection;
    if (nSearchDirection != searchForward && nSearchDirection != searchBackward) {
        m_nSearchDirection = searchForward;
        return FALSE;
    }
    return FindFrom(_variant_t(""), 0);
}

BOOL CADORecordset::FindFirst(LPCTSTR lpFind)
{
    Check(m_pRecordset, m_pRecordset->MoveFirst());
    return Find(lpFind, searchForward);
}

BOOL CADORecordset::FindNext()
{
    return FindFrom(m_varBookFind, 1);
}

void CADORecordset::GetBookmark()
{
    VARIANT bookmark;
    ::VariantInit(&bookmark);
    Check(m_pRecordset, m_pRecordset->get_Bookmark(&bookmark));
    m_varBookmark.Attach(bookmark);
}

BOOL CADORecordset::SetBookmark()
{
    if (m_varBookmark.vt == VT_EMPTY)
        return FALSE;
    Check(m_pRecordset, m_pRecordset->put_Bookmark(m_varBookmark));
    return TRUE;
}

void CADORecordset::dump_com_error(const _com_error& e)
{
    m_strLastError = _T("Query = ") + GetQuery() + _T("\n") + adosupport::ErrorDump(_T("CADORecordset"), e);
    m_dwLastError = DWORD(e.Error());
}
