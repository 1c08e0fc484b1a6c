// The client registers its class objects with COM at start-up, and COM hands
// an automation client the class object of whichever process registered it.
// A test program that runs the client's start-up in-process therefore revokes
// them at once (COleObjectFactory::RevokeAll), holding this turn from before
// the start-up until then; the tests that create the real client's objects
// through COM hold it throughout, so that no test program's object answers.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

namespace testsupport {

class ClassObjectTurn {
public:
    ClassObjectTurn() : m_hMutex(::CreateMutexA(nullptr, FALSE, "OmbrelleClientClassObjects"))
    {
        // An abandoned turn (its holder died) is ours as well.
        ::WaitForSingleObject(m_hMutex, INFINITE);
    }
    ~ClassObjectTurn()
    {
        ::ReleaseMutex(m_hMutex);
        ::CloseHandle(m_hMutex);
    }
    ClassObjectTurn(const ClassObjectTurn&) = delete;
    ClassObjectTurn& operator=(const ClassObjectTurn&) = delete;

private:
    HANDLE m_hMutex;
};

// The application's start-up, run in-process, with its class objects revoked
// as soon as it has registered them.
inline BOOL StartUpInProcess(CWinApp& app)
{
    ClassObjectTurn turn;
    BOOL bStarted = app.InitInstance();
    COleObjectFactory::RevokeAll();
    return bStarted;
}

}  // namespace testsupport
