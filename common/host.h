// What the builder and the viewer rely on from the PureBasic IDE that starts them as tools: the
// tool environment and, through it, the PureBasic home. The system side (environment, message box,
// the program's orderly end) sits behind a small interface so that the rules can be tested with a
// fake.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/text.h"

namespace veld {

// The tool environment the IDE sets.
inline constexpr char kToolIdeVariable[] = "PB_TOOL_IDE";
inline constexpr char kToolPreferencesVariable[] = "PB_TOOL_Preferences";
inline constexpr char kToolWordVariable[] = "PB_TOOL_Word";

// The fatal message the builder and the viewer show when not started by the IDE.
inline constexpr char kFatalTitle[] = "Error";
inline constexpr char kNotFromIdeMessage[] = "This executable must start from PB-IDE !";

class Host {
 public:
  virtual ~Host() = default;
  // The variable's value in the program's text; empty when unset.
  virtual std::string environmentVariable(const std::string& name) = 0;
  // A message box with one OK button; returns when it is closed.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
  // The program's orderly end with exit code 0. The system host does not return; a fake may.
  virtual void endProgram() = 0;
};

// The folder part of a path: up to and including its last "\" or "/"; empty when it has neither.
std::string folderPart(std::string_view path);

// The PureBasic home: the folder part of PB_TOOL_IDE. When the variable is empty or unset, shows the
// fatal message and ends the program; returns empty text only when the host's endProgram returns.
std::string pureBasicHome(Host& host);

// The system's host. Texts are in the program's encoding (ANSI or UTF-8). orderlyEnd is the
// program's own end (close the preference store and the archive, release windows); it should not
// return, and the process ends with exit code 0 when it does (or when it is empty).
std::unique_ptr<Host> makeSystemHost(Encoding programText, std::function<void()> orderlyEnd);

}  // namespace veld
