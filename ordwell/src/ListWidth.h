// Lists of paths scroll sideways as far as their widest line.
#pragma once

#include "afxwin.h"

void FitListWidth(CListBox& list);
