// ImageMagick's convert and identify, run on the host through
// magick_service.py for the tests of this folder.
#pragma once

#include "PythonService.h"

#include <string>
#include <vector>

class Magick {
public:
    Magick();

    // Runs "convert" or "identify" with the arguments; an argument that
    // starts with "@" is a Windows path, handed over as the host's path.
    // Returns the exit code; output gets what the program printed.
    int Run(const std::vector<std::string>& arguments, std::string* output = nullptr);

private:
    testsupport::PythonService m_service;
};
