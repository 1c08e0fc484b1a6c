// Resource ids of the file dialog tests (48600-48609).
#pragma once

#define IDD_FILEDLGTEST_OLDSTYLE 48600
#define IDC_FILEDLGTEST_MARK 48601
