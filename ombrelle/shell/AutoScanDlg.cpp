#include "AutoScanDlg.h"

#include <commctrl.h>
#include <stdlib.h>

#include "resource.h"

namespace {

const UINT_PTR kCountdownTimer = 101;
const UINT kTickMs = 1000;
const int kMinInterval = 5;
const int kMaxInterval = 25;

const char kStartCaption[] = "开始";
const char kStopCaption[] = "停止";
const char kIdleStatus[] = "单击开始进行扫描";

}  // namespace

BEGIN_MESSAGE_MAP(CAutoScanDlg, CDialog)
    ON_BN_CLICKED(IDC_AUTO_SCAN_START, OnStartStop)
    ON_WM_TIMER()
    ON_MESSAGE(WM_AUTOSCAN_NEXT, OnNextScan)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAutoScanDlg::CAutoScanDlg(CWnd* pParent)
    : CDialog(IDD_AUTO_SCAN, pParent), m_strInterval("5"), m_strStatus(kIdleStatus), m_nInterval(0),
      m_nSecondsLeft(0), m_bLaterScan(0), m_bRunning(FALSE)
{
}

void CAutoScanDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AUTO_SCAN_INTERVAL, m_strInterval);
    DDX_Text(pDX, IDC_AUTO_SCAN_STATUS, m_strStatus);
}

BOOL CAutoScanDlg::OnInitDialog()
{
    // Every showing starts idle, whatever the last one was doing.
    m_bRunning = FALSE;
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_AUTO_SCAN_SPIN, UDM_SETRANGE32, kMinInterval, kMaxInterval);
    return TRUE;
}

void CAutoScanDlg::OnStartStop()
{
    UpdateData(TRUE);
    CString strCaption;
    GetDlgItemText(IDC_AUTO_SCAN_START, strCaption);
    if (strCaption != kStartCaption) {
        KillTimer(kCountdownTimer);
        m_bRunning = FALSE;
        m_strStatus = kIdleStatus;
        SetDlgItemText(IDC_AUTO_SCAN_START, kStartCaption);
        UpdateData(FALSE);
        return;
    }
    SetDlgItemText(IDC_AUTO_SCAN_START, kStopCaption);
    // A typed value outside the spinner's range stays; a non-number counts as 0.
    m_nInterval = atoi(m_strInterval);
    m_nSecondsLeft = m_nInterval;
    m_bLaterScan = 0;
    m_bRunning = TRUE;
    SetTimer(kCountdownTimer, kTickMs, NULL);
}

void CAutoScanDlg::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kCountdownTimer && m_bRunning) {
        if (m_nSecondsLeft <= 0) {
            // Wait for the scanned file before the next countdown.
            KillTimer(kCountdownTimer);
            CWnd* pMainWnd = AfxGetMainWnd();
            if (pMainWnd != NULL && pMainWnd != this)
                pMainWnd->SendMessage(WM_AUTOSCAN_REQUEST, m_bLaterScan, 0);
        } else {
            --m_nSecondsLeft;
            m_strStatus.Format("倒数%d秒后开始扫描", m_nSecondsLeft);
            UpdateData(FALSE);
        }
    }
    CDialog::OnTimer(nIDEvent);
}

LRESULT CAutoScanDlg::OnNextScan(WPARAM, LPARAM)
{
    // A file that arrives after the run was stopped starts nothing.
    if (!m_bRunning)
        return 0;
    m_bLaterScan = 1;
    m_nSecondsLeft = m_nInterval;
    SetTimer(kCountdownTimer, kTickMs, NULL);
    return 0;
}

void CAutoScanDlg::OnDestroy()
{
    KillTimer(kCountdownTimer);
    m_bRunning = FALSE;
    CDialog::OnDestroy();
}
