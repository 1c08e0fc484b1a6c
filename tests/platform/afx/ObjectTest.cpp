#include "afx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class ObjShape : public CObject {
    DECLARE_DYNAMIC(ObjShape)
};

class ObjCircle : public ObjShape {
    DECLARE_DYNCREATE(ObjCircle)
public:
    int m_nRadius = 7;
};

class ObjSquare : public ObjShape {
    DECLARE_SERIAL(ObjSquare)
};

}  // namespace

// A class exported whole, as the extension DLLs declare theirs.
class __declspec(dllexport) ObjExportedJob : public CObject {
    DECLARE_SERIAL(ObjExportedJob)
};

IMPLEMENT_DYNAMIC(ObjShape, CObject)
IMPLEMENT_DYNCREATE(ObjCircle, ObjShape)
IMPLEMENT_SERIAL(ObjSquare, ObjShape, 1)
IMPLEMENT_SERIAL(ObjExportedJob, CObject, 1)

TEST(Object, IsKindOfFollowsTheBaseClassChain)
{
    ObjCircle circle;
    ObjSquare square;
    struct Case {
        const CObject* object;
        CRuntimeClass* cls;
        BOOL expected;
    };
    const Case cases[] = {
        {&circle, RUNTIME_CLASS(ObjCircle), TRUE},  {&circle, RUNTIME_CLASS(ObjShape), TRUE},
        {&circle, RUNTIME_CLASS(CObject), TRUE},    {&circle, RUNTIME_CLASS(ObjSquare), FALSE},
        {&square, RUNTIME_CLASS(ObjCircle), FALSE}, {&square, RUNTIME_CLASS(ObjShape), TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.object->IsKindOf(c.cls)) << c.object->GetRuntimeClass()->m_lpszClassName
                                                          << " of " << c.cls->m_lpszClassName;
    EXPECT_FALSE(RUNTIME_CLASS(ObjShape)->IsDerivedFrom(RUNTIME_CLASS(ObjCircle)));

    CObject* pCircle = &circle;
    CObject* pSquare = &square;
    EXPECT_EQ(DYNAMIC_DOWNCAST(ObjShape, pCircle), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(ObjCircle, pSquare), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(ObjCircle, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(Object, RuntimeClassRecordsDescribeTheClass)
{
    CRuntimeClass* square = RUNTIME_CLASS(ObjSquare);
    EXPECT_STREQ("ObjSquare", square->m_lpszClassName);
    EXPECT_EQ((int)sizeof(ObjSquare), square->m_nObjectSize);
    EXPECT_EQ(1u, square->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(ObjShape), square->m_pBaseClass);
    EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->m_pBaseClass);

    ObjSquare s;
    ObjCircle c;
    EXPECT_TRUE(s.IsSerializable());
    EXPECT_FALSE(c.IsSerializable());
}

TEST(Object, CreateObjectNeedsDynCreate)
{
    CObject* created = RUNTIME_CLASS(ObjCircle)->CreateObject();
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(RUNTIME_CLASS(ObjCircle), created->GetRuntimeClass());
    EXPECT_EQ(7, static_cast<ObjCircle*>(created)->m_nRadius);
    delete created;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(ObjShape)->CreateObject());
}

TEST(Object, LookupByNameFindsClassesOfEveryModule)
{
    EXPECT_EQ(RUNTIME_CLASS(ObjSquare), CRuntimeClass::FromName("ObjSquare"));
    EXPECT_EQ(RUNTIME_CLASS(ObjExportedJob), CRuntimeClass::FromName("ObjExportedJob"));
    // Classes of the class library itself, registered by afx.dll.
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(RUNTIME_CLASS(CArchiveException), CRuntimeClass::FromName("CArchiveException"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("objsquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("NoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(NULL));
}

// What a module's static registration object does when the module is loaded
// and unloaded.
TEST(Object, UnregisteredClassesDisappear)
{
    CRuntimeClass record = {"ObjTransient", sizeof(CObject), 1, NULL, RUNTIME_CLASS(CObject), NULL};
    {
        AFX_CLASSINIT init(&record);
        EXPECT_EQ(&record, CRuntimeClass::FromName("ObjTransient"));
        EXPECT_EQ(RUNTIME_CLASS(ObjSquare), CRuntimeClass::FromName("ObjSquare"));
    }
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ObjTransient"));
    EXPECT_EQ(RUNTIME_CLASS(ObjSquare), CRuntimeClass::FromName("ObjSquare"));
}

TEST(Object, LookupIsSafeWhileModulesComeAndGo)
{
    std::atomic<bool> stop(false);
    std::atomic<int> misses(0);
    std::thread reader([&] {
        while (!stop) {
            if (CRuntimeClass::FromName("ObjSquare") != RUNTIME_CLASS(ObjSquare))
                ++misses;
        }
    });
    std::vector<CRuntimeClass> records(8);
    for (int round = 0; round < 2000; ++round) {
        std::vector<AFX_CLASSINIT*> inits;
        for (CRuntimeClass& r : records) {
            r = CRuntimeClass{"ObjChurn", sizeof(CObject), 1, NULL, RUNTIME_CLASS(CObject), NULL};
            inits.push_back(new AFX_CLASSINIT(&r));
        }
        for (AFX_CLASSINIT* init : inits)
            delete init;
    }
    stop = true;
    reader.join();
    EXPECT_EQ(0, misses.load());
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ObjChurn"));
}
