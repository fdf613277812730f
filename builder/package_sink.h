// Where finished pages and index.txt go: the package being built.
#pragma once

#include <memory>
#include <string>

#include "builder/build_files.h"

namespace veld {

class PackageSink {
 public:
  virtual ~PackageSink() = default;
  // Starts a new package at the path, deleting any file there. False when it cannot be started.
  virtual bool create(const std::string& packagePath) = 0;
  // Adds the file (complete by now) as the next entry under the name. False when it was refused.
  virtual bool addFile(const std::string& filePath, const std::string& entryName) = 0;
  // Writes the package. False when no package file exists afterwards.
  virtual bool close() = 0;
};

// The package as a zip archive through ArchiveAccess (ANSI names and paths).
std::unique_ptr<PackageSink> makeArchivePackageSink(BuildFiles& files);

}  // namespace veld
