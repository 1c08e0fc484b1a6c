#include "HandleMap.h"

namespace afxinternal {

namespace {
struct Registration {
    void* map;
    TempMapRegistry::Cleaner cleaner;
};

std::vector<Registration>& ThreadRegistrations()
{
    thread_local std::vector<Registration>* registrations = nullptr;
    if (registrations == nullptr)
        registrations = new std::vector<Registration>;
    return *registrations;
}
}  // namespace

void TempMapRegistry::Register(void* map, Cleaner cleaner)
{
    ThreadRegistrations().push_back(Registration{map, cleaner});
}

void TempMapRegistry::DeleteAllTemporaries()
{
    for (const Registration& registration : ThreadRegistrations())
        registration.cleaner(registration.map);
}

}  // namespace afxinternal

void AFXAPI AfxDeleteTempHandleMaps()
{
    afxinternal::TempMapRegistry::DeleteAllTemporaries();
}
