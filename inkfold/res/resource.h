// Resource ids of Inkfold, with the system's numbers.
#pragma once

#define IDS_FILE_TYPE_ERROR 1009
