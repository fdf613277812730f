#include "installer/registered_home.h"

namespace veld {

std::string homeFromIconValue(std::string_view value) {
  std::string_view field = value.substr(0, value.find(','));
  if (!field.empty() && field.front() == '"') field.remove_prefix(1);
  const std::string_view beforeBar = field.substr(0, field.find('|'));
  const std::size_t separator = beforeBar.find_last_of("\\/");
  if (separator == std::string_view::npos) return {};
  return std::string(beforeBar.substr(0, separator + 1));
}

}  // namespace veld
