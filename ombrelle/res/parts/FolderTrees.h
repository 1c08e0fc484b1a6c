// Resource ids of this group; included by resource.h.
#pragma once
