// The message map of the control bar tests' frame.
#include "BarsTestFrame.h"

namespace barstest {

BEGIN_MESSAGE_MAP(CBarsFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_BARSTEST_NEW, OnNew)
    ON_COMMAND(ID_BARSTEST_OPEN, OnOpen)
    ON_COMMAND(ID_BARSTEST_BOLD, OnBold)
    ON_COMMAND(ID_BARSTEST_RUN, OnRun)
    ON_UPDATE_COMMAND_UI(ID_BARSTEST_OPEN, OnUpdateOpen)
    ON_UPDATE_COMMAND_UI(ID_BARSTEST_BOLD, OnUpdateBold)
    ON_UPDATE_COMMAND_UI(ID_BARSTEST_OPTION, OnUpdateOption)
END_MESSAGE_MAP()

}  // namespace barstest
