// What went wrong during a build. The IDE tool reports nothing (its users get the package as far as
// it could be written); the headless builder prints these and fails.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace veld {

class BuildProblems {
 public:
  // Keeps the first few texts word for word and counts the rest, so that a module with a hundred
  // thousand unwritable pages does not fill memory with messages.
  void report(std::string text) {
    if (texts_.size() < kKept) texts_.push_back(std::move(text));
    ++count_;
  }
  bool any() const { return count_ > 0; }
  std::size_t count() const { return count_; }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  static constexpr std::size_t kKept = 20;
  std::vector<std::string> texts_;
  std::size_t count_ = 0;
};

}  // namespace veld
