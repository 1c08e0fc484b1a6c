// The job browser.
#include "JobView.h"

#include "JobListParts.h"
#include "JobViewCore.h"
#include "Ordwell.h"
#include "resource.h"

namespace {

const int kLargeSide = 32;

// A column of fixed width whose heading is a string of the table.
struct Column {
    UINT nHeadingID;
    int nWidth;
};

template <size_t N>
void AddColumns(CListCtrlEx& list, const Column (&columns)[N])
{
    for (size_t i = 0; i < N; i++) {
        CString heading;
        heading.LoadString(columns[i].nHeadingID);
        list.InsertColumn(int(i), heading, LVCFMT_LEFT, columns[i].nWidth, int(i));
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CJobView, CDialog)
    ON_BN_CLICKED(IDC_JOB_VIEW_PROPERTIES, OnJobViewPropt)
    ON_CBN_SELCHANGE(IDC_JOB_VIEW_MODE, OnSelchangeJobViewMode)
END_MESSAGE_MAP()

CJobView::CJobView(CWnd* pParent)
    : CDialog(IDD_JOB_VIEW, pParent),
      m_pTask(NULL),
      m_pJob(NULL),
      m_pPagesLarge(NULL),
      m_pPagesSmall(NULL),
      m_pOriginsLarge(NULL),
      m_pOriginsSmall(NULL),
      m_pOutputsLarge(NULL),
      m_pOutputsSmall(NULL)
{
}

CJobView::~CJobView()
{
    delete m_pPagesLarge;
    delete m_pPagesSmall;
    delete m_pOriginsLarge;
    delete m_pOriginsSmall;
    delete m_pOutputsLarge;
    delete m_pOutputsSmall;
}

void CJobView::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOB_VIEW_PAGES, m_listPages);
    DDX_Control(pDX, IDC_JOB_VIEW_OUTPUTS, m_listOutputs);
    DDX_Control(pDX, IDC_JOB_VIEW_ORIGINS, m_listOrigins);
    DDX_Control(pDX, IDC_JOB_VIEW_MODE, m_comboViewMode);
}

BOOL CJobView::OnInitDialog()
{
    CDialog::OnInitDialog();
    AttachImageLists(m_listPages, m_pPagesLarge, m_pPagesSmall);
    AttachImageLists(m_listOrigins, m_pOriginsLarge, m_pOriginsSmall);
    AttachImageLists(m_listOutputs, m_pOutputsLarge, m_pOutputsSmall);

    m_comboViewMode.SetCurSel(1);
    OnSelchangeJobViewMode();

    FillPages();
    FillOrigins();
    FillOutputs();
    return TRUE;
}

void CJobView::FillPages()
{
    static const Column kPageColumns[] = {{IDS_COLUMN_FILE, 160}, {IDS_COLUMN_OWNER, 200}, {IDS_COLUMN_TIME, 100}};
    AddColumns(m_listPages, kPageColumns);
    if (m_pJob == NULL)
        return;
    int nRow = 0;
    for (POSITION pos = m_pJob->JGetPageList()->GetHeadPosition(); pos != NULL; nRow++) {
        const JCPage* pPage = static_cast<const JCPage*>(m_pJob->JGetPageList()->GetNext(pos));
        m_listPages.AddItem(nRow, 0, pPage->m_strFile, nRow);
        m_listPages.AddItem(nRow, 1, pPage->m_strDescription);
        m_listPages.AddItem(nRow, 2, TimeText(pPage->m_tTime));
        AddStockBitmap(m_pPagesLarge, "IDB_JOB_PAGE32");
        AddStockBitmap(m_pPagesSmall, "IDB_JOB_PAGE16");
    }
}

// The file, type, owner and time columns of the originals and the outputs.
static void AddFileColumns(CListCtrlEx& list)
{
    static const Column kFileColumns[] = {
        {IDS_COLUMN_FILE, 160}, {IDS_COLUMN_TYPE, 60}, {IDS_COLUMN_OWNER, 200}, {IDS_COLUMN_TIME, 100}};
    AddColumns(list, kFileColumns);
}

static void AddFileRow(CListCtrlEx& list, int nRow, const CString& strFile, int nFileType, const CString& strPage,
                       __time32_t tTime)
{
    list.AddItem(nRow, 0, strFile, nRow);
    list.AddItem(nRow, 1, jobview::FileTypeName(nFileType));
    list.AddItem(nRow, 2, strPage);
    list.AddItem(nRow, 3, TimeText(tTime));
}

void CJobView::FillOrigins()
{
    AddFileColumns(m_listOrigins);
    if (m_pJob == NULL)
        return;
    const CString folder = JGetJobPath();
    int nRow = 0;
    for (POSITION pos = m_pJob->JGetOriginList()->GetHeadPosition(); pos != NULL; nRow++) {
        const JCOrigin* pOrigin = static_cast<const JCOrigin*>(m_pJob->JGetOriginList()->GetNext(pos));
        AddFileRow(m_listOrigins, nRow, pOrigin->m_strFile, pOrigin->m_nFileType, pOrigin->m_strPage,
                   pOrigin->m_tTime);
        CBitmap thumbnail;
        HBITMAP hThumbnail = LoadThumbnail(folder, JCFileName(pOrigin->m_strFile).GetPureName());
        if (hThumbnail != NULL) {
            thumbnail.Attach(hThumbnail);
            m_pOriginsLarge->Add(&thumbnail, (CBitmap*)NULL);
        } else {
            AddStockBitmap(m_pOriginsLarge, "IDB_JOB_IMAGE32");
        }
        AddStockBitmap(m_pOriginsSmall, "IDB_JOB_IMAGE16");
    }
}

void CJobView::FillOutputs()
{
    AddFileColumns(m_listOutputs);
    if (m_pJob == NULL)
        return;
    int nRow = 0;
    for (POSITION pos = m_pJob->JGetOutputList()->GetHeadPosition(); pos != NULL; nRow++) {
        const JCOutput* pOutput = static_cast<const JCOutput*>(m_pJob->JGetOutputList()->GetNext(pos));
        AddFileRow(m_listOutputs, nRow, pOutput->m_strFile, pOutput->m_nFileType, pOutput->m_strPage,
                   pOutput->m_tTime);
        AddStockBitmap(m_pOutputsLarge, "IDB_JOB_OUTPUT32");
        AddStockBitmap(m_pOutputsSmall, "IDB_JOB_OUTPUT16");
    }
}

// Drawn at 32 x 32, so that it always makes exactly one image of the large
// list whatever its own size.
HBITMAP CJobView::LoadThumbnail(const CString& strFolder, const CString& strPureName)
{
    return LoadJobThumbnail(*this, strFolder, strPureName, kLargeSide);
}

void CJobView::OnSelchangeJobViewMode()
{
    ApplyViewMode(m_comboViewMode.GetCurSel(), {&m_listPages, &m_listOrigins, &m_listOutputs});
}

void CJobView::OnJobViewPropt() { RunJobProperties(m_pTask, m_pJob); }
