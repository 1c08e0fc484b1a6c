// Numbers as texts, for the ADO wrapper's text getters.
#pragma once

#include "afx.h"

CString IntToText(int nVal);
CString LongToText(long lVal);
CString ULongToText(unsigned long ulVal);
// The shortest of fixed or exponent notation with nDigits significant
// digits (1 to 40); the mantissa always keeps its decimal point ("12.",
// "1.e+25"), as the class library's _gcvt writes it.
CString DoubleToText(double dblVal, int nDigits);
// A float with 10 significant digits.
CString FloatToText(float fltVal);
