#include "ThreadState.h"

namespace afxinternal {

ThreadState& CurrentThreadState()
{
    // Trivially destructible on purpose: windows may still send messages
    // while the thread's C++ objects are torn down.
    thread_local ThreadState* state = nullptr;
    if (state == nullptr)
        state = new ThreadState;
    return *state;
}

}  // namespace afxinternal
