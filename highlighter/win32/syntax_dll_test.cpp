// Drives the built SyntaxHilighting.dll the way the builder does: LoadLibraryA from the folder of
// this test program, GetProcAddress("SyntaxHighlight"), stdcall call and callback.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "highlighter/tokenizer_test_cases.h"

namespace {

using veld::TokenKind;
using veld::testing::ExpectedToken;
using veld::testing::TokenCase;

using TokenSink = std::intptr_t(__stdcall*)(const char* position, std::intptr_t length, std::intptr_t kind);
using HighlightFunction = std::intptr_t(__stdcall*)(const char* buffer, std::intptr_t length, TokenSink callback,
                                                    std::intptr_t enableAsm);

// The callback has no context argument, so the call under test records into this.
struct Recording {
  const char* buffer = nullptr;
  std::vector<ExpectedToken> tokens;
  bool outOfRange = false;
  bool otherThread = false;
  DWORD callerThread = 0;
  std::size_t length = 0;
};
Recording* recording = nullptr;

std::intptr_t __stdcall recordToken(const char* position, std::intptr_t length, std::intptr_t kind) {
  Recording& r = *recording;
  if (GetCurrentThreadId() != r.callerThread) r.otherThread = true;
  if (position < r.buffer || length < 0 ||
      static_cast<std::size_t>(position - r.buffer) + static_cast<std::size_t>(length) > r.length) {
    r.outOfRange = true;
    return 0;
  }
  r.tokens.push_back({std::string(position, static_cast<std::size_t>(length)), static_cast<TokenKind>(kind)});
  return 0;
}

std::string folderOfThisProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

class SyntaxDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library_ = LoadLibraryA((folderOfThisProgram() + "SyntaxHilighting.dll").c_str());
    if (library_ != nullptr) {
      highlight_ = reinterpret_cast<HighlightFunction>(
          reinterpret_cast<void*>(GetProcAddress(library_, "SyntaxHighlight")));
    }
  }
  static void TearDownTestSuite() {
    if (library_ != nullptr) FreeLibrary(library_);
    library_ = nullptr;
    highlight_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(library_, nullptr) << "SyntaxHilighting.dll not found beside the test";
    ASSERT_NE(highlight_, nullptr) << "no export named SyntaxHighlight";
  }

  // Calls the DLL with a NUL-terminated copy, as the builder does.
  static Recording run(const std::string& source, bool enableAsm) {
    Recording r;
    r.buffer = source.c_str();
    r.length = source.size();
    r.callerThread = GetCurrentThreadId();
    recording = &r;
    highlight_(source.c_str(), static_cast<std::intptr_t>(source.size()), recordToken, enableAsm ? 1 : 0);
    recording = nullptr;
    return r;
  }

  static HMODULE library_;
  static HighlightFunction highlight_;
};

HMODULE SyntaxDll::library_ = nullptr;
HighlightFunction SyntaxDll::highlight_ = nullptr;

TEST_F(SyntaxDll, ReportsTheTableTokensThroughTheExport) {
  for (const TokenCase& tokenCase : veld::testing::tokenCases()) {
    SCOPED_TRACE(tokenCase.name);
    const Recording r = run(tokenCase.source, tokenCase.enableAsm);
    EXPECT_FALSE(r.outOfRange);
    EXPECT_FALSE(r.otherThread);
    EXPECT_EQ(r.tokens, tokenCase.tokens) << "  actual:   " << veld::testing::describeTokens(r.tokens)
                                          << "\n  expected: " << veld::testing::describeTokens(tokenCase.tokens);
  }
}

TEST_F(SyntaxDll, IgnoresCallsWithNothingToScan) {
  Recording r;
  r.callerThread = GetCurrentThreadId();
  recording = &r;
  highlight_(nullptr, 5, recordToken, 0);
  highlight_("x = 1", 0, recordToken, 0);
  highlight_("x = 1", -1, recordToken, 0);
  highlight_("x = 1", 5, nullptr, 0);
  recording = nullptr;
  EXPECT_TRUE(r.tokens.empty());
}

}  // namespace
