#include "FtpObject.h"

#include "FtpCom.h"

#include <wininet.h>

#include <vector>

namespace {

std::atomic<long> g_liveObjects{0};

std::string AnsiText(BSTR text)
{
    int nLength = text ? static_cast<int>(SysStringLen(text)) : 0;
    if (nLength == 0)
        return std::string();
    int nBytes = WideCharToMultiByte(CP_ACP, 0, text, nLength, nullptr, 0, nullptr, nullptr);
    std::string bytes(nBytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, nLength, &bytes[0], nBytes, nullptr, nullptr);
    return bytes;
}

// The arguments of one call, in the caller's order (IDispatch passes them
// last first), each turned into the kind the member takes.
class Arguments {
public:
    Arguments(DISPPARAMS* pParams, UINT* puArgErr) : m_pParams(pParams), m_puArgErr(puArgErr) {}
    ~Arguments()
    {
        for (VARIANT& value : m_converted)
            VariantClear(&value);
    }

    HRESULT Expect(UINT nCount) const
    {
        if (m_pParams->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        return m_pParams->cArgs == nCount ? S_OK : DISP_E_BADPARAMCOUNT;
    }
    HRESULT Text(UINT nIndex, std::string& text)
    {
        VARIANT* pValue = Converted(nIndex, VT_BSTR);
        if (!pValue)
            return DISP_E_TYPEMISMATCH;
        text = AnsiText(pValue->bstrVal);
        return S_OK;
    }
    HRESULT Short(UINT nIndex, short& number)
    {
        VARIANT* pValue = Converted(nIndex, VT_I2);
        if (!pValue)
            return DISP_E_TYPEMISMATCH;
        number = pValue->iVal;
        return S_OK;
    }

private:
    VARIANT* Converted(UINT nIndex, VARTYPE vt)
    {
        UINT nPosition = m_pParams->cArgs - 1 - nIndex;
        m_converted.emplace_back();
        VARIANT& value = m_converted.back();
        VariantInit(&value);
        if (FAILED(VariantChangeType(&value, &m_pParams->rgvarg[nPosition], 0, vt))) {
            if (m_puArgErr)
                *m_puArgErr = nPosition;
            return nullptr;
        }
        return &value;
    }

    DISPPARAMS* m_pParams;
    UINT* m_puArgErr;
    std::vector<VARIANT> m_converted;
};

HRESULT Refuse(EXCEPINFO* pExcepInfo, const wchar_t* description)
{
    if (pExcepInfo) {
        ZeroMemory(pExcepInfo, sizeof(*pExcepInfo));
        pExcepInfo->bstrSource = SysAllocString(L"" FTPCOM_PROGID);
        pExcepInfo->bstrDescription = SysAllocString(description);
        pExcepInfo->scode = E_INVALIDARG;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

long FtpObject::LiveObjects()
{
    return g_liveObjects.load();
}

FtpObject::FtpObject()
{
    ++g_liveObjects;
    HINTERNET hInternet = InternetOpenA("FtpCom", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    m_bReady = hInternet != nullptr;
    if (hInternet)
        InternetCloseHandle(hInternet);
}

FtpObject::~FtpObject()
{
    // Tasks nobody can ask about any more stop after their current file.
    for (auto& task : m_tasks)
        task.second->Cancel();
    --g_liveObjects;
}

STDMETHODIMP FtpObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FtpObject::AddRef()
{
    return ++m_refs;
}

STDMETHODIMP_(ULONG) FtpObject::Release()
{
    ULONG nRefs = --m_refs;
    if (nRefs == 0)
        delete this;
    return nRefs;
}

STDMETHODIMP FtpObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP FtpObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP FtpObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId)
{
    for (UINT i = 0; rgDispId && i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

std::shared_ptr<FtpTask> FtpObject::FindTask(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_tasks.find(id);
    return found == m_tasks.end() ? nullptr : found->second;
}

void FtpObject::CreateTask(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::shared_ptr<FtpTask>& slot = m_tasks[id];
    if (slot)
        slot->Cancel();
    slot = std::make_shared<FtpTask>();
    m_lastCreated = slot;
}

HRESULT FtpObject::SetTransfer(const FtpTransfer& transfer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_lastCreated)
        return E_FAIL;
    m_lastCreated->AddTransfer(transfer);
    return S_OK;
}

void FtpObject::StartTasks()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& task : m_tasks)
        task.second->Start();
}

void FtpObject::DeleteTask(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_tasks.find(id);
    if (found == m_tasks.end())
        return;
    found->second->Cancel();
    if (m_lastCreated == found->second)
        m_lastCreated.reset();
    m_tasks.erase(found);
}

STDMETHODIMP FtpObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                               VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pDispParams)
        return E_INVALIDARG;
    if (!(wFlags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (pVarResult)
        VariantInit(pVarResult);
    Arguments args(pDispParams, puArgErr);
    HRESULT hr = S_OK;
    std::string id;
    switch (dispIdMember) {
    case FTPCOM_DISPID_CREATETASK: {
        // The BOOL and the short are taken but not used.
        short nUnused = 0;
        if (FAILED(hr = args.Expect(3)) || FAILED(hr = args.Text(0, id)) || FAILED(hr = args.Short(1, nUnused)) ||
            FAILED(hr = args.Short(2, nUnused)))
            return hr;
        CreateTask(id);
        return S_OK;
    }
    case FTPCOM_DISPID_STARTTASKS:
        if (FAILED(hr = args.Expect(0)))
            return hr;
        StartTasks();
        return S_OK;
    case FTPCOM_DISPID_SETTRANSFER: {
        FtpTransfer transfer;
        short nPort = 0;
        if (FAILED(hr = args.Expect(6)) || FAILED(hr = args.Text(0, transfer.host)) ||
            FAILED(hr = args.Short(1, nPort)) || FAILED(hr = args.Text(2, transfer.user)) ||
            FAILED(hr = args.Text(3, transfer.password)) || FAILED(hr = args.Text(4, transfer.remoteList)) ||
            FAILED(hr = args.Text(5, transfer.localList)))
            return hr;
        transfer.port = static_cast<unsigned short>(nPort);
        if (FAILED(SetTransfer(transfer)))
            return Refuse(pExcepInfo, L"SetTransfer before any CreateTask");
        return S_OK;
    }
    case FTPCOM_DISPID_STOPTASK:
    case FTPCOM_DISPID_RESUMETASK:
    case FTPCOM_DISPID_GETTASKSTATE:
    case FTPCOM_DISPID_DELETETASK: {
        if (FAILED(hr = args.Expect(1)) || FAILED(hr = args.Text(0, id)))
            return hr;
        if (dispIdMember == FTPCOM_DISPID_DELETETASK) {
            DeleteTask(id);
            return S_OK;
        }
        std::shared_ptr<FtpTask> task = FindTask(id);
        if (dispIdMember == FTPCOM_DISPID_GETTASKSTATE) {
            if (pVarResult) {
                pVarResult->vt = VT_I2;
                pVarResult->iVal = static_cast<short>(task ? task->State() : FTPCOM_UNKNOWN);
            }
        } else if (task && dispIdMember == FTPCOM_DISPID_STOPTASK) {
            task->Stop();
        } else if (task) {
            task->Resume();
        }
        return S_OK;
    }
    case FTPCOM_DISPID_SETOPTIONS: {
        std::string options;
        if (FAILED(hr = args.Expect(1)) || FAILED(hr = args.Text(0, options)))
            return hr;
        return options.empty() ? S_OK : Refuse(pExcepInfo, L"unknown option");
    }
    case FTPCOM_DISPID_ISREADY:
        if (FAILED(hr = args.Expect(0)))
            return hr;
        if (pVarResult) {
            pVarResult->vt = VT_BOOL;
            pVarResult->boolVal = m_bReady ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
