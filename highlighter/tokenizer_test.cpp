#include "highlighter/tokenizer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "highlighter/tokenizer_test_cases.h"

namespace veld {
namespace {

using testing::ExpectedToken;
using testing::TokenCase;

struct RawToken {
  std::size_t position;
  std::size_t length;
  TokenKind kind;
};

void collectToken(std::size_t position, std::size_t length, TokenKind kind, void* context) {
  static_cast<std::vector<RawToken>*>(context)->push_back({position, length, kind});
}

std::vector<RawToken> tokenize(const char* buffer, std::size_t length, bool enableAsm) {
  std::vector<RawToken> tokens;
  tokenizePureBasic(buffer, length, collectToken, &tokens, enableAsm);
  return tokens;
}

class TokenTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenTable, ReportsTheEditorsTokens) {
  const TokenCase& tokenCase = GetParam();
  std::vector<ExpectedToken> actual;
  for (const RawToken& token : tokenize(tokenCase.source.data(), tokenCase.source.size(), tokenCase.enableAsm)) {
    actual.push_back({tokenCase.source.substr(token.position, token.length), token.kind});
  }
  EXPECT_EQ(actual, tokenCase.tokens) << "  actual:   " << testing::describeTokens(actual)
                                      << "\n  expected: " << testing::describeTokens(tokenCase.tokens);
}

INSTANTIATE_TEST_SUITE_P(Lines, TokenTable, ::testing::ValuesIn(testing::tokenCases()),
                         [](const ::testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); });

// Checks that the tokens tile buffer[0, end) in order, where end is the first NUL or the length.
void expectTiling(const char* buffer, std::size_t length, const std::vector<RawToken>& tokens) {
  const void* nul = std::memchr(buffer, 0, length);
  const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : length;
  std::size_t next = 0;
  for (const RawToken& token : tokens) {
    ASSERT_EQ(token.position, next);
    ASSERT_LE(token.length, end - token.position);
    ASSERT_GE(static_cast<int>(token.kind), 0);
    ASSERT_LE(static_cast<int>(token.kind), 13);
    next = token.position + token.length;
  }
  EXPECT_EQ(next, end);
}

// Random bytes, and random mixes of the bytes that steer the tokenizer, in buffers of exactly
// their size: under ASan a read past the end is caught here.
TEST(Tokenizer, TokensTileRandomInputAndStayInside) {
  std::mt19937 random(20240611);
  const std::string steering = "ab_eE1$%#@?*.\\:;!~\"'()[],=+-/&|<> \t\r\n\x80\xff";
  for (int round = 0; round < 4000; ++round) {
    const std::size_t length = random() % 160;
    auto buffer = std::make_unique<char[]>(length);
    const bool anyByte = round % 2 == 0;
    for (std::size_t i = 0; i < length; ++i) {
      buffer[i] = anyByte ? static_cast<char>(random() % 256) : steering[random() % steering.size()];
    }
    const bool enableAsm = round % 3 == 0;
    SCOPED_TRACE("round " + std::to_string(round));
    expectTiling(buffer.get(), length, tokenize(buffer.get(), length, enableAsm));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(Tokenizer, NothingToScanReportsNothing) {
  EXPECT_TRUE(tokenize(nullptr, 10, false).empty());
  EXPECT_TRUE(tokenize("x", 0, false).empty());
  EXPECT_TRUE(tokenize("\0x", 2, false).empty());
  tokenizePureBasic("x = 1", 5, nullptr, nullptr, false);  // no callback: nothing to call, no crash
}

}  // namespace
}  // namespace veld
