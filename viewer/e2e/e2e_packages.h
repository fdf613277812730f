// Packages for the viewer's end-to-end tests: built from a tagged module by the builder's own code
// (the same code as TailVeld.exe), or written directly when a test needs a damaged package.
#pragma once

#include <string>

namespace veld::e2e {

// True when this test program carries the builder.
bool haveBuilder();

// Writes the module text to modulePath and builds the package beside it (work files go into
// workFolder, which ends with a separator). False when the build failed.
bool buildFromModule(const std::string& moduleText, const std::string& modulePath, const std::string& packagePath,
                     const std::string& workFolder);

}  // namespace veld::e2e
