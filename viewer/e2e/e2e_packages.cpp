#include "e2e_packages.h"

#include "viewer/test_package.h"

#if VELD_HAVE_BUILDER
#include "builder/build_files.h"
#include "builder/closing_topic.h"
#include "builder/colour_bridge.h"
#include "builder/package_build.h"
#include "builder/package_sink.h"
#include "builder/tokenizer_highlight.h"
#endif

namespace veld::e2e {

bool haveBuilder() { return VELD_HAVE_BUILDER != 0; }

bool buildFromModule(const std::string& moduleText, const std::string& modulePath, const std::string& packagePath,
                     const std::string& workFolder) {
  if (!testpkg::writeBytes(modulePath, moduleText)) return false;
#if VELD_HAVE_BUILDER
  std::unique_ptr<BuildFiles> files = makeSystemBuildFiles();
  std::unique_ptr<PackageSink> sink = makeArchivePackageSink(*files);
  ColouringBridge colours(linkedTokenizerHighlight());
  BuildRequest request;
  request.sourcePath = modulePath;
  request.packagePath = packagePath;
  request.temporaryFolder = workFolder;
  request.now = [] { return LocalTime{2013, 11, 23, 11, 30, 2}; };
  request.ideVersion = [] { return std::string("5.21"); };
  const BuildResult result = buildPackage(request, *files, *sink, colours);
  sink.reset();
  return result.packageWritten && !result.problems.any();
#else
  (void)packagePath;
  (void)workFolder;
  return false;
#endif
}

}  // namespace veld::e2e
