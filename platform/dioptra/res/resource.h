// Resource ids of the image library; high enough to stay clear of the
// ids of the programs and libraries that load it.
#pragma once

#define IDR_DIO_IMAGETYPE 21700
#define IDS_DIO_CANNOT_OPEN 21701
