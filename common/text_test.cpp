#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

namespace veld {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

TEST(Latin1ToUtf8, PromotesHighBytesToTwoByteSequences) {
  EXPECT_EQ(latin1ToUtf8(""), "");
  EXPECT_EQ(latin1ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(latin1ToUtf8(bytes({0xE9})), bytes({0xC3, 0xA9}));
  EXPECT_EQ(latin1ToUtf8(bytes({0x80, 0xFF, 0x7F})), bytes({0xC2, 0x80, 0xC3, 0xBF, 0x7F}));
}

struct SingleByteCase {
  const char* what;
  std::string in;
  std::string out;
};

TEST(Utf8ToSingleByte, FollowsTheConversionRules) {
  const SingleByteCase cases[] = {
      {"ASCII passes", "Tool_1 = x", "Tool_1 = x"},
      {"character below 256", bytes({'c', 'a', 'f', 0xC3, 0xA9}), bytes({'c', 'a', 'f', 0xE9})},
      {"U+0080 and U+00FF", bytes({0xC2, 0x80, 0xC3, 0xBF}), bytes({0x80, 0xFF})},
      {"two-byte character of 256 or more", bytes({0xC4, 0x80, 'x'}), "?x"},
      {"three-byte sequence", bytes({0xE2, 0x82, 0xAC}), "?"},
      {"four-byte sequence", bytes({0xF0, 0x9F, 0x98, 0x80, 'y'}), "?y"},
      {"lead without continuation", bytes({0xC3, 'A'}), "?A"},
      {"three-byte lead cut by a plain byte", bytes({0xE2, 0x82, 'A'}), "?A"},
      {"stray continuation dropped", bytes({'a', 0x80, 0xBF, 'b'}), "ab"},
      {"F8-FF dropped", bytes({0xF8, 'a', 0xFE, 0xFF}), "a"},
      {"cut short by the end", bytes({'a', 0xE2, 0x82}), "a"},
      {"lone lead at the end", bytes({'a', 0xC3}), "a"},
      {"overlong form of a small character", bytes({0xC1, 0x81}), "A"},
      {"NUL kept", std::string("\0x", 2), std::string("\0x", 2)},
  };
  for (const SingleByteCase& c : cases) EXPECT_EQ(utf8ToSingleByte(c.in), c.out) << c.what;
}

TEST(Utf8ToSingleByte, UndoesLatin1PromotionForEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToSingleByte(latin1ToUtf8(all)), all);
}

TEST(Utf8Utf16, RoundTripsEveryPlane) {
  const std::string text = "a" + bytes({0xC3, 0xA9}) + bytes({0xE2, 0x82, 0xAC}) + bytes({0xF0, 0x9F, 0x98, 0x80});
  const std::u16string wide = utf8ToUtf16(text);
  EXPECT_EQ(wide, (std::u16string{u'a', 0x00E9, 0x20AC, 0xD83D, 0xDE00}));
  EXPECT_EQ(utf16ToUtf8(wide), text);
}

TEST(Utf8Utf16, MalformedInputGivesReplacementCharacters) {
  const char16_t r = 0xFFFD;
  EXPECT_EQ(utf8ToUtf16(bytes({0x80})), std::u16string(1, r));
  EXPECT_EQ(utf8ToUtf16(bytes({0xC0, 0x80})), (std::u16string{r, r}));             // overlong
  EXPECT_EQ(utf8ToUtf16(bytes({0xED, 0xA0, 0x80})), (std::u16string{r, r, r}));     // encoded surrogate
  EXPECT_EQ(utf8ToUtf16(bytes({0xE2, 0x82, 'A'})), (std::u16string{r, u'A'}));       // cut short
  EXPECT_EQ(utf8ToUtf16(bytes({0xF4, 0x90, 0x80, 0x80})), (std::u16string{r, r, r, r}));  // above U+10FFFF
  EXPECT_EQ(utf8ToUtf16(bytes({'x', 0xF0, 0x9F})), (std::u16string{u'x', r}));
  EXPECT_EQ(utf16ToUtf8(std::u16string{0xD800, u'a'}), bytes({0xEF, 0xBF, 0xBD, 'a'}));
  EXPECT_EQ(utf16ToUtf8(std::u16string{0xDC00}), bytes({0xEF, 0xBF, 0xBD}));
}

// The tests run with code page 1252, the ANSI code page of the systems the programs target (and of
// Wine here).
TEST(AnsiCodePage, DecodesCodePage1252) {
  EXPECT_EQ(ansiToUtf16(bytes({'A', 0x80, 0x81, 0x8A, 0x9F, 0xE9, 0xFF})),
            (std::u16string{u'A', 0x20AC, 0x0081, 0x0160, 0x0178, 0x00E9, 0x00FF}));
  EXPECT_EQ(ansiToUtf8(bytes({'c', 'a', 'f', 0xE9})), bytes({'c', 'a', 'f', 0xC3, 0xA9}));
  EXPECT_EQ(ansiToUtf8(bytes({0x80})), bytes({0xE2, 0x82, 0xAC}));
  EXPECT_EQ(ansiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(ansiToUtf8(""), "");
}

TEST(AnsiCodePage, EncodesWithoutBestFitGuesses) {
  EXPECT_EQ(utf16ToAnsi(std::u16string{u'A', 0x20AC, 0x00E9, 0x0100, 0x4E2D}), bytes({'A', 0x80, 0xE9, '?', '?'}));
}

struct CaseMapping {
  int from;
  int to;
};

TEST(AnsiCase, LowerMapsTheLettersOfTheCodePage) {
  const CaseMapping cases[] = {
      {'A', 'a'},   {'Z', 'z'},   {'a', 'a'},   {'@', '@'},   {0x00, 0x00}, {0xC0, 0xE0}, {0xD6, 0xF6},
      {0xD7, 0xD7}, {0xD8, 0xF8}, {0xDE, 0xFE}, {0xDF, 0xDF}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E},
      {0x9F, 0xFF}, {0xB5, 0xB5}, {0x80, 0x80}, {0x81, 0x81}, {0xE9, 0xE9},
  };
  for (const CaseMapping& c : cases) {
    EXPECT_EQ(ansiToLower(bytes({c.from})), bytes({c.to})) << "byte " << c.from;
  }
  EXPECT_EQ(ansiToLower(std::string("PROCEDURE\0X", 11)), std::string("procedure\0x", 11));
}

TEST(AnsiCase, UpperMapsTheLettersOfTheCodePage) {
  const CaseMapping cases[] = {
      {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {0xE0, 0xC0}, {0xF6, 0xD6}, {0xF7, 0xF7}, {0xFE, 0xDE},
      {0xFF, 0x9F}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xDF, 0xDF}, {0x80, 0x80},
  };
  for (const CaseMapping& c : cases) {
    EXPECT_EQ(ansiToUpper(bytes({c.from})), bytes({c.to})) << "byte " << c.from;
  }
}

TEST(Utf16Case, MapsBeyondLatin1AndLeavesSurrogatesAlone) {
  EXPECT_EQ(utf16ToUpper(u"MessageRequester"), u"MESSAGEREQUESTER");
  EXPECT_EQ(utf16ToLower(u"MessageRequester"), u"messagerequester");
  EXPECT_EQ(utf16ToUpper(std::u16string{0x00E9, 0x00FF, 0x03B1, 0x044F, 0x00DF}),
            (std::u16string{0x00C9, 0x0178, 0x0391, 0x042F, 0x00DF}));
  EXPECT_EQ(utf16ToLower(std::u16string{0x00C9, 0x0178, 0x0391, 0x042F}),
            (std::u16string{0x00E9, 0x00FF, 0x03B1, 0x044F}));
  // Mappings that do not lead back are not made.
  const std::u16string oneWay{0x00B5, 0x0131, 0x017F, 0x212A};  // micro, dotless i, long s, Kelvin
  EXPECT_EQ(utf16ToUpper(oneWay), oneWay);
  EXPECT_EQ(utf16ToLower(oneWay), oneWay);
  const std::u16string pair{0xD801, 0xDC00};  // a supplementary letter: code units pass unchanged
  EXPECT_EQ(utf16ToUpper(pair), pair);
  EXPECT_EQ(utf16ToUpper(std::u16string(u"a\0b", 3)), std::u16string(u"A\0B", 3));
}

TEST(ProgramText, ConvertsByEncoding) {
  EXPECT_EQ(programTextToUtf8(bytes({0xE9}), Encoding::Ansi), bytes({0xC3, 0xA9}));
  EXPECT_EQ(programTextToUtf8(bytes({0xC3, 0xA9}), Encoding::Utf8), bytes({0xC3, 0xA9}));
  EXPECT_EQ(utf8ToProgramText(bytes({0xC3, 0xA9, 0xE2, 0x82, 0xAC}), Encoding::Ansi), bytes({0xE9, '?'}));
  EXPECT_EQ(utf8ToProgramText(bytes({0xE2, 0x82, 0xAC}), Encoding::Utf8), bytes({0xE2, 0x82, 0xAC}));
}

}  // namespace
}  // namespace veld
