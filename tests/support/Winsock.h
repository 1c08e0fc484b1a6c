// Winsock start-up shared by the support code.
#pragma once

#include <winsock2.h>

namespace testsupport {

void EnsureWinsock();
sockaddr_in LoopbackAddress(int port);

}  // namespace testsupport
