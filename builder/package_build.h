// One build: from a source module to a complete package. The same for the IDE tool and the headless
// builder; what differs (where the IDE version comes from, whether problems are shown) stays outside.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "builder/build_files.h"
#include "builder/build_problems.h"
#include "builder/closing_topic.h"
#include "builder/colour_bridge.h"
#include "builder/package_sink.h"

namespace veld {

struct BuildRequest {
  std::string sourcePath;
  std::string packagePath;
  std::string temporaryFolder;  // ends with a separator; page files and index.txt go here
  // Asked when the closing topic is written, after the source: the local time and the IDE version
  // text (already in its shown form, "5.21").
  std::function<LocalTime()> now;
  std::function<std::string()> ideVersion;
};

struct BuildResult {
  std::uint64_t topics = 0;       // topics taken from the source, the closing topic not counted
  bool sourceReadable = true;     // false: the source could not be opened or failed while read
  bool packageWritten = false;    // a package file exists after closing
  BuildProblems problems;
};

// Creates the package, reads the source line by line through the tag parser, completes the last
// page, adds the closing topic and index.txt, and writes the package. A source that cannot be read
// ends the line loop at once, as an empty source does.
BuildResult buildPackage(const BuildRequest& request, BuildFiles& files, PackageSink& package,
                         ColouringBridge& colours);

}  // namespace veld
