#include "UpLoadObj.h"

#include "General.h"
#include "OmbrelleApp.h"

// {5E2C7A14-3D9B-4F61-8C07-A1B4E9D20F36}
const IID IID_IUpLoadObj = {0x5e2c7a14, 0x3d9b, 0x4f61, {0x8c, 0x07, 0xa1, 0xb4, 0xe9, 0xd2, 0x0f, 0x36}};

namespace {

struct FieldRow {
    const char* pszName;
    const char* pszCName;
    const char* pszType;
    const char* pszLength;
    const char* pszSort;
};

// The picture and IPTC fields an asset record delivers; the CName texts are
// the server side's, spelling included.
const FieldRow kFieldRows[] = {
    {"HorRes", "Horizontal Resolution", "3", "6", "1"},
    {"VerRes", "Vertical Resolution", "3", "6", "0"},
    {"PicHeight", "Picture Height", "2", "6", "0"},
    {"PicWidth", "Picture Width", "2", "6", "0"},
    {"colorMode", "Color Mode", "4", "16", "0"},
    {"HeadLine", "IPTC Title Infomation", "4", "255", "0"},
    {"Category", "IPTC Category Infomation", "4", "255", "0"},
    {"EnveNumber", "Envelop Number", "4", "255", "0"},
    {"EnvePriority", "Envelop Priority", "4", "255", "0"},
    {"LanguageID", "Language Identifier", "4", "255", "0"},
    {"ProductID", "Product Identifier", "4", "255", "0"},
    {"ServiceID", "Service Identifier", "4", "255", "0"},
    {"Destination", "Object Destination", "4", "255", "0"},
    {"ObjName", "Object Name", "4", "255", "0"},
    {"OriginalTX", "Object Original", "4", "255", "0"},
    {"City", "Object City", "4", "255", "0"},
    {"Country", "Object Country", "4", "255", "0"},
};

COmbrelleApp* App()
{
    return static_cast<COmbrelleApp*>(AfxGetApp());
}

// The bytes of ImageInfoStruct.xml.
CString FieldDefinitionText()
{
    static const char* const kAttributes[] = {"Name",   "CName", "Type",         "Length", "AllowNull", "Catalog",
                                              "Sort",   "Search", "DefaultValue", "Input",  "View"};
    const int nAttributes = sizeof(kAttributes) / sizeof(kAttributes[0]);

    CString strText = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n";
    strText += "<Category  Name=\"Picture\"  Note=\"Pic Info\">\r\n";
    strText += "\t<Attribute>\r\n";
    for (const FieldRow& row : kFieldRows) {
        const char* const values[] = {row.pszName, row.pszCName, row.pszType, row.pszLength, "1", "0",
                                      row.pszSort, "0",          "",          "1",           "1"};
        strText += "\t\t<Field\r\n";
        for (int i = 0; i < nAttributes; ++i) {
            strText += "\t\t\t";
            strText += kAttributes[i];
            strText += "='";
            strText += values[i];
            strText += i + 1 < nAttributes ? "'\r\t" : "'/>\r\t";
        }
    }
    strText += "\t</Attribute>\r\t";
    strText += "</Category>\r\n";
    return strText;
}

// Written as bytes: the attribute lines end in a carriage return alone, and
// no line feed may gain one.
void WriteBytes(LPCTSTR lpszPath, const CString& strBytes)
{
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;  // the path is still answered; nothing tells the caller
    DWORD nWritten = 0;
    ::WriteFile(hFile, (LPCTSTR)strBytes, (DWORD)strBytes.GetLength(), &nWritten, NULL);
    ::CloseHandle(hFile);
}

}  // namespace

IMPLEMENT_DYNCREATE(CUpLoadObj, CCmdTarget)

// {9A41D3C6-7B25-4E08-B3F9-2C6E85A1D47B}
IMPLEMENT_OLECREATE(CUpLoadObj, "Ombrelle.UpLoadObj", 0x9a41d3c6, 0x7b25, 0x4e08, 0xb3, 0xf9, 0x2c, 0x6e, 0x85, 0xa1,
                    0xd4, 0x7b)

BEGIN_DISPATCH_MAP(CUpLoadObj, CCmdTarget)
    DISP_FUNCTION(CUpLoadObj, "Initialize", Initialize, VT_BOOL, VTS_BOOL VTS_BSTR VTS_BSTR VTS_BSTR)
    DISP_FUNCTION(CUpLoadObj, "GetAssetMetaDataStruct", GetAssetMetaDataStruct, VT_BSTR, VTS_NONE)
    DISP_FUNCTION(CUpLoadObj, "SetCallBackFileName", SetCallBackFileName, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION(CUpLoadObj, "SetUserInfo", SetUserInfo, VT_EMPTY, VTS_BSTR VTS_BSTR)
    DISP_FUNCTION(CUpLoadObj, "SetUploadURL", SetUploadURL, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION(CUpLoadObj, "SetAssetMetaDataStruct", SetAssetMetaDataStruct, VT_EMPTY, VTS_BSTR)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CUpLoadObj, CCmdTarget)
    INTERFACE_PART(CUpLoadObj, IID_IUpLoadObj, Dispatch)
END_INTERFACE_MAP()

CUpLoadObj::CUpLoadObj()
{
    EnableAutomation();
    // The general library and the job library were started once for the
    // process by the application object; starting them again per object
    // would load the tables again and leave a second start unmatched.
    AfxOleLockApp();

    const CString strProgramFolder = GenGetProgramFolder();
    m_strFieldDefinitionFile = strProgramFolder + "\\ImageInfoStruct.xml";
    WriteBytes(m_strFieldDefinitionFile, FieldDefinitionText());
    App()->m_strDataFolder = strProgramFolder;
}

CUpLoadObj::~CUpLoadObj()
{
    AfxOleUnlockApp();
}

BOOL CUpLoadObj::Initialize(BOOL, LPCTSTR, LPCTSTR, LPCTSTR)
{
    App()->ShowMainWindow();
    return TRUE;
}

BSTR CUpLoadObj::GetAssetMetaDataStruct()
{
    return m_strFieldDefinitionFile.AllocSysString();
}

void CUpLoadObj::SetCallBackFileName(LPCTSTR lpszFileName)
{
    App()->CallBackFileName = lpszFileName;
}

void CUpLoadObj::SetUserInfo(LPCTSTR lpszUser, LPCTSTR lpszPassword)
{
    CString strUser = lpszUser;
    CString strPassword = lpszPassword;
    if (strUser.IsEmpty()) {
        strUser = "anonymous";
        if (strPassword.IsEmpty())
            strPassword = "z@z.z";
    }
    App()->UploadAccountText = strUser + "#" + strPassword;
}

void CUpLoadObj::SetUploadURL(LPCTSTR lpszUrl)
{
    // A text without "/" is all path and no host: the host is then only the
    // default FTP port.
    const CString strUrl = lpszUrl;
    const int nSlash = strUrl.Find('/');
    CString strHost = nSlash >= 0 ? strUrl.Left(nSlash) : CString();
    CString strPath = nSlash >= 0 ? strUrl.Mid(nSlash) : strUrl;
    if (strHost.Find(':') < 0)
        strHost += ":21";
    if (!strPath.IsEmpty())
        strPath += "/";
    App()->UploadHostText = strHost;
    App()->UploadPathText = strPath;
}

void CUpLoadObj::SetAssetMetaDataStruct(LPCTSTR lpszStruct)
{
    App()->m_strAssetMetaDataStruct = lpszStruct;
}
