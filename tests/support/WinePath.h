// Wine maps Windows paths onto the host's file system; helpers that run as
// host programs (Python services) need the host's path of a Windows path.
#pragma once

#include <string>

namespace testsupport {

// The host (Unix) path of a Windows path; empty when not running under Wine.
std::string UnixPath(const std::string& windowsPath);

// The Windows path under which a host program or file is reached (Z:\...).
std::string HostPathForWindows(const std::string& unixPath);

}  // namespace testsupport
