#pragma once
// PureBasic lines with the tokens the editor's highlighting library reports for them. Shared by
// the tokenizer's own test and by the test that drives the built DLL.

#include <ostream>
#include <string>
#include <vector>

#include "highlighter/tokenizer.h"

namespace veld::testing {

struct ExpectedToken {
  std::string text;
  TokenKind kind;

  bool operator==(const ExpectedToken& other) const { return text == other.text && kind == other.kind; }
};

struct TokenCase {
  const char* name;  // test name: letters, digits, '_'
  std::string source;
  bool enableAsm;
  std::vector<ExpectedToken> tokens;
};

const std::vector<TokenCase>& tokenCases();

// Readable form of a token list for failure messages: "If "/Keyword, "\r\n"/Number, ...
std::string describeTokens(const std::vector<ExpectedToken>& tokens);

inline std::ostream& operator<<(std::ostream& out, const TokenCase& tokenCase) { return out << tokenCase.name; }
inline void PrintTo(const ExpectedToken& token, std::ostream* out) { *out << describeTokens({token}); }

}  // namespace veld::testing
