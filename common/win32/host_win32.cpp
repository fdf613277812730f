// The system host on Windows: the process environment and a message box, through the A functions
// for ANSI programs and the W functions for the viewer.
#include <windows.h>

#include <cstdlib>

#include "common/host.h"
#include "common/win32/win32_paths.h"

namespace veld {

namespace {

class Win32Host final : public Host {
 public:
  Win32Host(Encoding encoding, std::function<void()> orderlyEnd)
      : encoding_(encoding), orderlyEnd_(std::move(orderlyEnd)) {}

  std::string environmentVariable(const std::string& name) override {
    if (name.find('\0') != std::string::npos) return {};
    if (encoding_ == Encoding::Ansi) {
      std::string value(256, '\0');
      for (;;) {
        const DWORD n = GetEnvironmentVariableA(name.c_str(), &value[0], static_cast<DWORD>(value.size()));
        if (n == 0) return {};
        if (n < value.size()) {
          value.resize(n);
          return value;
        }
        value.resize(n);  // n is the size needed, terminating NUL included
      }
    }
    const std::wstring wname = toWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
      const DWORD n = GetEnvironmentVariableW(wname.c_str(), &value[0], static_cast<DWORD>(value.size()));
      if (n == 0) return {};
      if (n < value.size()) {
        value.resize(n);
        return utf16ToUtf8(std::u16string(value.begin(), value.end()));
      }
      value.resize(n);
    }
  }

  void showMessage(const std::string& title, const std::string& text) override {
    if (encoding_ == Encoding::Ansi) {
      MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK);
    } else {
      MessageBoxW(nullptr, toWide(text).c_str(), toWide(title).c_str(), MB_OK);
    }
  }

  void endProgram() override {
    if (orderlyEnd_) orderlyEnd_();
    std::exit(0);
  }

 private:
  Encoding encoding_;
  std::function<void()> orderlyEnd_;
};

}  // namespace

std::unique_ptr<Host> makeSystemHost(Encoding programText, std::function<void()> orderlyEnd) {
  return std::make_unique<Win32Host>(programText, std::move(orderlyEnd));
}

}  // namespace veld
