#include "builder/colour_bridge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/tokenizer_highlight.h"

namespace veld {
namespace {

TEST(ColourBridge, ColourTableIsExactlyAsWritten) {
  const struct {
    std::intptr_t kind;
    const char* tag;
  } cases[] = {
      {0, "<font color=#0000FF>"}, {1, ""},  {2, "<font color=#00AAAA>"},  {3, "<font color=#924B72>"},
      {4, "<font color=#808080>"}, {5, "<font color=#006666>"},  {6, "<font color=#AD0000>"},
      {7, ""},  {8, "<font color=#000080>"},  {9, "<font color=#0000FF>"}, {10, "<font color=#0000FA>"},
      {11, ""}, {12, "<font color=#800000>"}, {13, ""}, {-1, ""}, {99, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(colourTagFor(c.kind), c.tag) << c.kind;
}

TEST(ColourBridge, TokenTextFollowsTheReportedLength) {
  // The code "abc", NUL, "def" sits after two bytes that do not belong to it.
  const std::string storage = std::string("##abc\0def", 9);
  const char* start = storage.c_str() + 2;
  const char* limit = storage.c_str() + storage.size();
  const struct {
    const char* name;
    std::ptrdiff_t offset;
    std::intptr_t length;
    std::intptr_t kind;
    const char* html;
  } cases[] = {
      {"kind 7 has no element", 0, 2, 7, "ab"},
      {"kind 0", 0, 3, 0, "<font color=#0000FF>abc</font>"},
      {"kind 9 like kind 0", 1, 1, 9, "<font color=#0000FF>b</font>"},
      {"length 0 keeps the empty element", 1, 0, 0, "<font color=#0000FF></font>"},
      {"length 0 without colour adds nothing", 1, 0, 11, ""},
      {"a length past a NUL stops there", 1, 6, 2, "<font color=#00AAAA>bc</font>"},
      {"-1 runs to the next NUL", 0, -1, 4, "<font color=#808080>abc</font>"},
      {"other negative lengths take nothing", 0, -2, 4, "<font color=#808080></font>"},
      {"a length past the end stops at the end", 4, 100, 1, "def"},
      {"a token outside the code takes nothing", 100, 1, 1, ""},
      {"a token before the code takes nothing", -1, 2, 3, "<font color=#924B72></font>"},
  };
  for (const auto& c : cases) {
    std::string html;
    appendToken(html, start, limit, start + c.offset, c.length, c.kind);
    EXPECT_EQ(html, c.html) << c.name;
  }
}

// A library that reports a fixed script of tokens, as offsets into the code.
struct ScriptedToken {
  std::ptrdiff_t offset;
  std::intptr_t length;
  std::intptr_t kind;
};
std::vector<ScriptedToken> script;
std::string seenCode;

void scripted(const char* buffer, std::size_t length, HighlightCallback onToken) {
  seenCode.assign(buffer, length + 1);  // the NUL after the text is part of the contract
  for (const ScriptedToken& t : script) onToken(buffer + t.offset, t.length, t.kind);
}

TEST(ColourBridge, ColourCodeCollectsTokensInOrderAndStartsEmptyEachTime) {
  ColouringBridge bridge(scripted);
  script = {{0, 2, 1}, {2, 1, 0}, {3, 1, 7}};
  EXPECT_EQ(bridge.colourCode("If x<y"), "If<font color=#0000FF> </font>x");
  EXPECT_EQ(seenCode, std::string("If x<y\0", 7));
  script = {{0, 1, 12}};
  EXPECT_EQ(bridge.colourCode("L:"), "<font color=#800000>L</font>");
  script = {};
  EXPECT_EQ(bridge.colourCode("nothing reported"), "");
}

TEST(ColourBridge, NoHighlightFunctionGivesEmptyText) {
  ColouringBridge bridge{HighlightFunction()};
  EXPECT_EQ(bridge.colourCode("x = 1"), "");
}

// The tokenizer linked in, through the same bridge: the page bytes of the worked example's code.
TEST(ColourBridge, LinkedTokenizerColoursTheWorkedExample) {
  ColouringBridge bridge(linkedTokenizerHighlight());
  EXPECT_EQ(bridge.colourCode("Procedure StringToOemm(StringAddress) \r\n  CharToOem_(StringAddress,StringAddress)"
                              "\r\nEndProcedure"),
            "Procedure <font color=#006666>StringToOemm</font>(<font color=#0000FF>StringAddress</font>)"
            "<font color=#0000FF> \r\n</font><font color=#006666>  CharToOem_</font>(<font color=#0000FF>"
            "StringAddress</font>,<font color=#0000FF>StringAddress</font>)<font color=#0000FF>\r\n</font>"
            "EndProcedure");
  EXPECT_EQ(bridge.colourCode("If a < b : EndIf"),
            "If <font color=#0000FF>a </font><<font color=#0000FF> b </font>: EndIf");  // "<" stays a byte
}

}  // namespace
}  // namespace veld
