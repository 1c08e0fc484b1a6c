// Maps from Windows handles to the library's wrapper objects, one set per
// thread as windows and device contexts belong to their thread.
//
// A permanent entry belongs to an object that owns or has attached the
// handle; it lives until the object detaches. A handle without one gets a
// temporary wrapper that the map owns and deletes when the thread goes idle
// (AfxDeleteTempHandleMaps), so a caller must not keep such a pointer.
//
// Traits gives the wrapper's type and how a temporary one is made and let go:
//   static T* NewTemporary(H handle);   // a new object wrapping the handle
//   static void Forget(T* object);      // clears its handles before delete
#pragma once

#include "afxbase.h"

#include <unordered_map>
#include <vector>

namespace afxinternal {

// Every handle map of the calling thread registers here, so that idle time
// can drop all temporary wrappers at once.
class TempMapRegistry {
public:
    typedef void (*Cleaner)(void* map);
    static void Register(void* map, Cleaner cleaner);
    static void DeleteAllTemporaries();
};

template <class Traits>
class HandleMap {
public:
    typedef typename Traits::Object T;
    typedef typename Traits::Handle H;

    // The map of the calling thread.
    static HandleMap& Current()
    {
        thread_local HandleMap* map = nullptr;
        if (map == nullptr) {
            map = new HandleMap;  // lives as long as the thread uses wrappers
            TempMapRegistry::Register(map, &HandleMap::CleanThunk);
        }
        return *map;
    }

    T* FromHandle(H handle)
    {
        if (handle == nullptr)
            return nullptr;
        if (T* object = LookupPermanent(handle))
            return object;
        auto found = m_temporary.find(handle);
        if (found != m_temporary.end())
            return found->second;
        T* object = Traits::NewTemporary(handle);
        m_temporary.emplace(handle, object);
        return object;
    }

    T* LookupPermanent(H handle) const
    {
        auto found = m_permanent.find(handle);
        return found == m_permanent.end() ? nullptr : found->second;
    }

    T* LookupTemporary(H handle) const
    {
        auto found = m_temporary.find(handle);
        return found == m_temporary.end() ? nullptr : found->second;
    }

    void SetPermanent(H handle, T* object) { m_permanent[handle] = object; }

    // Drops the handle from both maps; a temporary wrapper is deleted.
    void RemoveHandle(H handle)
    {
        m_permanent.erase(handle);
        auto found = m_temporary.find(handle);
        if (found != m_temporary.end()) {
            T* object = found->second;
            m_temporary.erase(found);
            Traits::Forget(object);
            delete object;
        }
    }

    void DeleteTemporaries()
    {
        // Deleting a wrapper may reach back into the map: take them out first.
        std::vector<T*> objects;
        objects.reserve(m_temporary.size());
        for (auto& entry : m_temporary)
            objects.push_back(entry.second);
        m_temporary.clear();
        for (T* object : objects) {
            Traits::Forget(object);
            delete object;
        }
    }

private:
    HandleMap() = default;
    static void CleanThunk(void* map) { static_cast<HandleMap*>(map)->DeleteTemporaries(); }

    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};

}  // namespace afxinternal

// Deletes the temporary wrappers of every handle map of the calling thread.
AFX_API void AFXAPI AfxDeleteTempHandleMaps();
