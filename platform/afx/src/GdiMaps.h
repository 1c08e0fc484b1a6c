// The handle maps of the GDI wrappers (objects and device contexts).
#pragma once

#include "afxgdi.h"
#include "HandleMap.h"

namespace afxinternal {

struct GdiObjectTraits {
    typedef CGdiObject Object;
    typedef HGDIOBJ Handle;
    static CGdiObject* NewTemporary(HGDIOBJ handle);
    static void Forget(CGdiObject* object);
};
typedef HandleMap<GdiObjectTraits> GdiObjectMap;

struct DcTraits {
    typedef CDC Object;
    typedef HDC Handle;
    static CDC* NewTemporary(HDC handle);
    static void Forget(CDC* object);
};
typedef HandleMap<DcTraits> DcMap;

}  // namespace afxinternal
