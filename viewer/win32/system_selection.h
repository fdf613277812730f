// The system side of choosing the package: files, the IDE's home and the open-file requester.
#pragma once

#include "common/files.h"
#include "common/host.h"
#include "viewer/package_selection.h"

namespace veld {

class SystemSelection final : public SelectionSystem {
 public:
  SystemSelection(Host& host, FileAccess& files) : host_(host), files_(files) {}

  bool exists(const std::string& path) override;
  std::int64_t fileSize(const std::string& path) override;
  bool readFile(const std::string& path, std::string& bytes) override;
  std::optional<std::string> pureBasicHome() override;
  std::string requestFile(const std::string& title, const std::string& initialPath,
                          const std::string& filterDescription, const std::string& filterPattern) override;

 private:
  Host& host_;
  FileAccess& files_;
};

}  // namespace veld
