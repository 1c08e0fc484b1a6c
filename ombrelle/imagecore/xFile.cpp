#include "xFile.h"

CxFile::~CxFile() {}

bool CxFile::PutC(unsigned char c)
{
    return Write(&c, 1, 1) == 1;
}
