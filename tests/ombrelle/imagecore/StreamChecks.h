// What every stream gives without a file or buffer behind it.
#pragma once

#include "xFile.h"

#include <gtest/gtest.h>

// tell: what Tell gives then (0 for a file stream, -1 for a memory file).
inline void ExpectNeutralResults(CxFile& file, long tell)
{
    unsigned char byte = 0;
    EXPECT_EQ(0u, file.Read(&byte, 1, 1));
    EXPECT_EQ(0u, file.Write(&byte, 1, 1));
    EXPECT_FALSE(file.Seek(0, 0));
    EXPECT_EQ(tell, file.Tell());
    EXPECT_EQ(-1, file.Size());
    EXPECT_FALSE(file.Flush());
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(-1, file.Error());
    EXPECT_FALSE(file.PutC(1));
    EXPECT_EQ(-1, file.GetC());
    EXPECT_TRUE(file.Close());
}
