#pragma once

#include "installer/installer_ports.h"

namespace veld {

// The items carried as resources of the running program.
class ResourceItems final : public CarriedItems {
 public:
  std::string_view bytes(CarriedItem item) override;
};

}  // namespace veld
