// The component's object: its IDispatch, dispatched by id, over the tasks it
// keeps by name.
#pragma once

#include "FtpTask.h"

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class FtpObject final : public IDispatch {
public:
    FtpObject();

    // Objects alive in this process: the DLL stays loaded meanwhile.
    static long LiveObjects();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    ~FtpObject();
    std::shared_ptr<FtpTask> FindTask(const std::string& id);
    void CreateTask(const std::string& id);
    HRESULT SetTransfer(const FtpTransfer& transfer);
    void StartTasks();
    void DeleteTask(const std::string& id);

    std::atomic<ULONG> m_refs{1};
    bool m_bReady;
    std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<FtpTask>> m_tasks;
    std::shared_ptr<FtpTask> m_lastCreated;
};
