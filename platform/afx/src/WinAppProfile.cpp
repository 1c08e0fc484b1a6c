// The application's profile: the registry under
// HKEY_CURRENT_USER\Software\<key>\<application name> once a registry key is
// set, otherwise the program's INI file.
#include "afxwin.h"

#include <string.h>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    HKEY hAppKey = nullptr;
    HKEY hSoftKey = nullptr;
    HKEY hCompanyKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        DWORD dw;
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hAppKey, &dw);
        }
    }
    if (hSoftKey != nullptr)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != nullptr)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hSectionKey = nullptr;
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == nullptr)
        return nullptr;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, nullptr, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == nullptr)
        return (UINT)nDefault;
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr) {
        char szValue[16];
        wsprintfA(szValue, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szValue, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == nullptr)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (LPBYTE)&dwValue, sizeof dwValue);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == nullptr) {
        if (lpszDefault == nullptr)
            lpszDefault = "";
        // Grow until the value fits: the INI functions cut silently.
        DWORD nSize = 256;
        for (;;) {
            CString strValue;
            DWORD nLen = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault,
                                                    strValue.GetBuffer((int)nSize), nSize,
                                                    m_pszProfileName);
            strValue.ReleaseBuffer();
            if (nLen < nSize - 2)
                return strValue;
            nSize *= 2;
        }
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey != nullptr) {
        CString strValue;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ) {
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType,
                                         (LPBYTE)strValue.GetBuffer((int)dwCount), &dwCount);
            strValue.ReleaseBuffer();
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
            return strValue;
    }
    return lpszDefault;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    LONG lResult;
    if (lpszEntry == nullptr) {
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == nullptr)
            return FALSE;
        lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
    } else if (lpszValue == nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
        ::RegCloseKey(hSecKey);
    } else {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)(strlen(lpszValue) + 1));
        ::RegCloseKey(hSecKey);
    }
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    if (m_pszRegistryKey == nullptr) {
        // The INI form: two letters 'A'..'P' per byte, low half first.
        CString str = GetProfileString(lpszSection, lpszEntry, nullptr);
        int nLen = str.GetLength();
        if (nLen == 0 || nLen % 2 != 0)
            return FALSE;
        UINT nBytes = (UINT)nLen / 2;
        BYTE* pData = new BYTE[nBytes];
        for (UINT i = 0; i < nBytes; i++) {
            int lo = str[(int)(i * 2)] - 'A';
            int hi = str[(int)(i * 2 + 1)] - 'A';
            if (lo < 0 || lo > 15 || hi < 0 || hi > 15) {
                delete[] pData;
                return FALSE;
            }
            pData[i] = (BYTE)((hi << 4) | lo);
        }
        *ppData = pData;
        *pBytes = nBytes;
        return TRUE;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == nullptr)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
        BYTE* pData = new BYTE[dwCount > 0 ? dwCount : 1];
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, pData, &dwCount);
        if (lResult == ERROR_SUCCESS) {
            *ppData = pData;
            *pBytes = dwCount;
        } else {
            delete[] pData;
        }
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS && dwType == REG_BINARY;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr) {
        CString str;
        LPTSTR lpsz = str.GetBuffer((int)(nBytes * 2));
        for (UINT i = 0; i < nBytes; i++) {
            lpsz[i * 2] = (char)((pData[i] & 0x0F) + 'A');
            lpsz[i * 2 + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        str.ReleaseBuffer((int)(nBytes * 2));
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == nullptr)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    (void)nMaxMRU;  // the recent file list comes with the document framework
    m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}
