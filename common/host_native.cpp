// Native stand-in for the system host: the C library's environment, the message on stderr.
#include <cstdio>
#include <cstdlib>

#include "common/host.h"

namespace veld {

namespace {

class NativeHost final : public Host {
 public:
  explicit NativeHost(std::function<void()> orderlyEnd) : orderlyEnd_(std::move(orderlyEnd)) {}

  std::string environmentVariable(const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? std::string(value) : std::string();
  }

  void showMessage(const std::string& title, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  }

  void endProgram() override {
    if (orderlyEnd_) orderlyEnd_();
    std::exit(0);
  }

 private:
  std::function<void()> orderlyEnd_;
};

}  // namespace

std::unique_ptr<Host> makeSystemHost(Encoding, std::function<void()> orderlyEnd) {
  return std::make_unique<NativeHost>(std::move(orderlyEnd));
}

}  // namespace veld
