// Loopback networking for tests.
#pragma once

namespace testsupport {

// A TCP port on 127.0.0.1 that nothing listens on at the moment of the call.
int FreeTcpPort();

}  // namespace testsupport
