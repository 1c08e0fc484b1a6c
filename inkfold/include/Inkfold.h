// Inkfold, the colour separation library: its exported functions.
#pragma once

#include <windows.h>

#include "InkfoldApi.h"
#include "SeparationModel.h"

// Makes Inkfold's own module the class library's current resource source;
// returns the handle that was current before, for the caller to put back.
INKFOLD_API HINSTANCE SetInkfoldResourceHandle();
