// The catalogue tree's category structure: fetched through the document's
// category client (cached per server URL) and read into folder nodes.
#include "CatalogTreeView.h"

#include <comdef.h>

#include <new>

#include "CategoryStructureXml.h"
#include "HttpXMlProcess.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "XmlReading.h"
#include "resource.h"

namespace {

void DropClient(COmbrelleDoc& doc)
{
    if (doc.m_pTreeServerClient != NULL)
        doc.m_pTreeServerClient->Close();
    delete doc.m_pTreeServerClient;
    doc.m_pTreeServerClient = NULL;
}

BSTR LoadBstr(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    return _bstr_t(LPCTSTR(strText)).Detach();
}

// The two boxes of a failed DOM step: the warning, then the error's details.
void ReportDomError(HRESULT hr)
{
    ::MessageBoxA(::GetActiveWindow(), "资产元数据xml语法错误", "Warning", MB_OK);
    IErrorInfo* pInfo = NULL;
    if (::GetErrorInfo(0, &pInfo) != S_OK)
        pInfo = NULL;
    const _com_error error(hr, pInfo);  // takes the reference
    const _bstr_t source = error.Source(), description = error.Description();
    CString strText;
    strText.Format("Code = %08lx,Code meaning = %s,Source = %s,Description = %s", static_cast<unsigned long>(hr),
                   LPCTSTR(error.ErrorMessage()), source.length() ? LPCSTR(source) : "",
                   description.length() ? LPCSTR(description) : "");
    ::MessageBoxA(::GetActiveWindow(), strText, "Error Info", MB_OK);
}

}  // namespace

CString CCatalogTreeView::FetchCategoryStructure()
{
    COmbrelleDoc* pDoc = GetCatalogDocument();
    if (pDoc == NULL)
        return "";
    if (pDoc->m_pTreeServerClient != NULL) {
        if (pDoc->m_pTreeServerClient->GetServerUrl() == pDoc->m_strServerUrl)
            return pDoc->m_strCategoryStructure;
        // Another server: its structure is not this one's.
        DropClient(*pDoc);
    }
    pDoc->m_pTreeServerClient = new (std::nothrow) CHttpXMlProcess;
    if (pDoc->m_pTreeServerClient == NULL)
        return "";
    if (!pDoc->m_pTreeServerClient->SetServerUrlRetrying(pDoc->m_strServerUrl)) {
        DropClient(*pDoc);
        pDoc->m_strCategoryStructure.Empty();
        return "";
    }
    int nStatus = 0;
    pDoc->m_strCategoryStructure = pDoc->m_pTreeServerClient->QueryAssetMetaDataStruct(nStatus);
    if (pDoc->m_strCategoryStructure.IsEmpty())
        DropClient(*pDoc);
    return pDoc->m_strCategoryStructure;
}

void CCatalogTreeView::LoadCategoryStructure()
{
    IUnknown* pUnknown = NULL;
    HRESULT hr = ::CoCreateInstance(CLSID_OmbrelleDomDocument, NULL, CLSCTX_ALL, IID_IUnknown,
                                    reinterpret_cast<void**>(&pUnknown));
    IXMLDOMDocument* pDocument = NULL;
    if (SUCCEEDED(hr)) {
        hr = pUnknown->QueryInterface(IID_OmbrelleXmlDomDocument, reinterpret_cast<void**>(&pDocument));
        pUnknown->Release();
    }
    if (SUCCEEDED(hr))
        hr = pDocument->put_async(VARIANT_FALSE);
    if (FAILED(hr)) {
        // Without a document nothing can be read: the tree keeps its root.
        ReportDomError(hr);
        if (pDocument != NULL)
            pDocument->Release();
        return;
    }
    LoadStructureDocument(pDocument);
    pDocument->Release();
}

void CCatalogTreeView::LoadStructureDocument(IXMLDOMDocument* pDocument)
{
    const CString strText = static_cast<COmbrelleApp*>(AfxGetApp())->m_strAssetMetaDataStruct;
    const CString strFolder = static_cast<COmbrelleApp*>(AfxGetApp())->m_strDataFolder;
    if (!LoadCategoryStructureText(pDocument, strText, strFolder))
        return;

    IXMLDOMNode* pCategory = NULL;
    BSTR bstrCategory = LoadBstr(IDS_CATALOG_CATEGORY);
    const HRESULT hr = pDocument->selectSingleNode(bstrCategory, &pCategory);
    ::SysFreeString(bstrCategory);
    if (hr != S_OK || pCategory == NULL)
        return;

    IXMLDOMNode* pPublic = NULL;
    BSTR bstrPublic = LoadBstr(IDS_CATALOG_PUBLIC_FOLDER);
    if (pCategory->selectSingleNode(bstrPublic, &pPublic) == S_OK && pPublic != NULL) {
        ReadFolderElement(pPublic, m_publicNodes, 0);
        pPublic->Release();
    }
    ::SysFreeString(bstrPublic);

    IXMLDOMNodeList* pCatalogs = NULL;
    BSTR bstrCatalog = LoadBstr(IDS_CATALOG_CATALOG_FOLDER);
    if (pCategory->selectNodes(bstrCatalog, &pCatalogs) == S_OK && pCatalogs != NULL) {
        IXMLDOMNode* pCatalog = NULL;
        for (int nGroup = 0; pCatalogs->nextNode(&pCatalog) == S_OK && pCatalog != NULL; ++nGroup) {
            ReadFolderElement(pCatalog, m_catalogNodes, nGroup);
            pCatalog->Release();
            pCatalog = NULL;
        }
        pCatalogs->Release();
    }
    ::SysFreeString(bstrCatalog);
    pCategory->Release();
}

void CCatalogTreeView::ReadFolderElement(IXMLDOMNode* pElement, CPtrList& nodes, int nGroup)
{
    // A folder without its id, parent or name cannot be placed: it is
    // skipped, the top element with every folder it holds.
    CString strId, strFatherId, strName;
    if (!(ReadXmlAttribute(pElement, L"id", strId) || ReadXmlAttribute(pElement, L"ID", strId)) ||
        !ReadXmlAttribute(pElement, L"FatherId", strFatherId) || !ReadXmlAttribute(pElement, L"name", strName))
        return;
    CatalogNode* pTop = new CatalogNode{strId, strFatherId, strName, nGroup};
    nodes.AddTail(pTop);

    IXMLDOMNodeList* pFolders = NULL;
    BSTR bstrFolder = LoadBstr(IDS_CATALOG_FOLDER);
    if (pElement->selectNodes(bstrFolder, &pFolders) == S_OK && pFolders != NULL) {
        IXMLDOMNode* pFolder = NULL;
        while (pFolders->nextNode(&pFolder) == S_OK && pFolder != NULL) {
            if (ReadXmlAttribute(pFolder, L"ID", strId) && ReadXmlAttribute(pFolder, L"FatherId", strFatherId) &&
                ReadXmlAttribute(pFolder, L"name", strName))
                nodes.AddTail(new CatalogNode{strId, strFatherId, strName, nGroup});
            pFolder->Release();
            pFolder = NULL;
        }
        pFolders->Release();
    }
    ::SysFreeString(bstrFolder);
}
