// The program's one application object.
#include "OmbrelleApp.h"

COmbrelleApp theApp;
