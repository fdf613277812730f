#include "builder/package_build.h"

#include <memory>

#include "builder/page_writer.h"
#include "builder/source_lines.h"
#include "builder/tag_parser.h"
#include "common/package_format.h"

namespace veld {

BuildResult buildPackage(const BuildRequest& request, BuildFiles& files, PackageSink& package,
                         ColouringBridge& colours) {
  BuildResult result;
  BuildProblems& problems = result.problems;

  if (!package.create(request.packagePath)) problems.report("cannot create the package " + request.packagePath);
  const std::string indexPath = request.temporaryFolder + kIndexEntryName;
  std::unique_ptr<OutputFile> indexFile = files.createFile(indexPath);
  if (!indexFile) problems.report("cannot create the topic list " + indexPath);

  PageWriter writer(files, package, colours, request.temporaryFolder, indexFile.get(), problems);
  TagParser parser(writer);

  std::unique_ptr<ByteReader> source = files.openForReading(request.sourcePath);
  if (source) {
    SourceLineReader lines(*source);
    std::string line;
    while (lines.nextLine(line)) parser.parseLine(line);
    if (lines.failed()) result.sourceReadable = false;
  } else {
    result.sourceReadable = false;
  }
  source.reset();
  if (!result.sourceReadable) problems.report("cannot read the source " + request.sourcePath);

  // End of the source: pending text becomes a section, the last page is completed. Code of a block
  // whose end tag never came is dropped.
  writer.flushText();
  writer.closePage();
  result.topics = parser.topicCounter();

  writeClosingTopic(writer, parser.topicCounter(), formatBuildTime(request.now()), request.ideVersion());

  if (indexFile) {
    if (!indexFile->close()) problems.report("cannot write the topic list " + indexPath);
    indexFile.reset();
    if (!package.addFile(indexPath, kIndexEntryName)) problems.report("cannot add index.txt to the package");
  }
  result.packageWritten = package.close();
  if (!result.packageWritten) problems.report("cannot write the package " + request.packagePath);
  return result;
}

}  // namespace veld
