#include "common/host.h"

namespace veld {

std::string folderPart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string pureBasicHome(Host& host) {
  const std::string ide = host.environmentVariable(kToolIdeVariable);
  if (ide.empty()) {
    host.showMessage(kFatalTitle, kNotFromIdeMessage);
    host.endProgram();
    return {};
  }
  return folderPart(ide);
}

}  // namespace veld
