#include "highlighter/tokenizer_test_cases.h"

#include <cstdio>

namespace veld::testing {
namespace {

constexpr TokenKind Txt = TokenKind::Text;
constexpr TokenKind Kw = TokenKind::Keyword;
constexpr TokenKind Com = TokenKind::Comment;
constexpr TokenKind Con = TokenKind::Constant;
constexpr TokenKind Str = TokenKind::String;
constexpr TokenKind Fn = TokenKind::Function;
constexpr TokenKind Asm = TokenKind::Asm;
constexpr TokenKind Op = TokenKind::Operator;
constexpr TokenKind Sct = TokenKind::Structure;
constexpr TokenKind Num = TokenKind::Number;
constexpr TokenKind Ptr = TokenKind::Pointer;
constexpr TokenKind Sep = TokenKind::Separator;
constexpr TokenKind Lbl = TokenKind::Label;
constexpr TokenKind Mod = TokenKind::Module;

const char* kindName(TokenKind kind) {
  switch (kind) {
    case TokenKind::Text: return "Text";
    case TokenKind::Keyword: return "Keyword";
    case TokenKind::Comment: return "Comment";
    case TokenKind::Constant: return "Constant";
    case TokenKind::String: return "String";
    case TokenKind::Function: return "Function";
    case TokenKind::Asm: return "Asm";
    case TokenKind::Operator: return "Operator";
    case TokenKind::Structure: return "Structure";
    case TokenKind::Number: return "Number";
    case TokenKind::Pointer: return "Pointer";
    case TokenKind::Separator: return "Separator";
    case TokenKind::Label: return "Label";
    case TokenKind::Module: return "Module";
  }
  return "?";
}

}  // namespace

std::string describeTokens(const std::vector<ExpectedToken>& tokens) {
  std::string out;
  for (const ExpectedToken& token : tokens) {
    out += '"';
    for (unsigned char c : token.text) {
      if (c == '\r') {
        out += "\\r";
      } else if (c == '\n') {
        out += "\\n";
      } else if (c == '\t') {
        out += "\\t";
      } else if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20 || c >= 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
      } else {
        out += static_cast<char>(c);
      }
    }
    out += "\"/";
    out += kindName(token.kind);
    out += ' ';
  }
  return out;
}

const std::vector<TokenCase>& tokenCases() {
  static const std::vector<TokenCase> cases = {
      {"empty_input", "", false, {}},

      // Blanks before a separator with no word are reported as a Number, also when empty.
      {"pointer_then_multiplication", "*p = a * b", false,
       {{"", Num}, {"*p", Ptr}, {" ", Num}, {"=", Op}, {" a ", Txt}, {"*", Op}, {" b", Txt}}},
      {"pointer_after_type_suffix_and_operator", "Define.l *ptr, a*b", false,
       {{"Define", Kw}, {".", Sep}, {"l ", Txt}, {"*ptr", Ptr}, {"", Num}, {",", Sep}, {" a", Txt}, {"*", Op},
        {"b", Txt}}},
      {"pointer_after_keyword_and_bracket", "Protected *buf\r\nf(*a)", false,
       {{"Protected ", Kw}, {"*buf", Ptr}, {"\r\n", Num}, {"f", Fn}, {"(", Sep}, {"", Num}, {"*a", Ptr}, {"", Num}, {")", Sep}}},
      {"addresses_and_field_after_pointer", "*p\\x = @v + ?lbl", false,
       {{"", Num}, {"*p", Ptr}, {"", Num}, {"\\", Sep}, {"x ", Sct}, {"=", Op}, {" ", Num}, {"@v", Ptr}, {" ", Num},
        {"+", Op}, {" ", Num}, {"?lbl", Ptr}}},

      // Names around '\' and '.' are structures, except the one-letter basic types.
      {"structure_field_backslash", "a\\b", false, {{"a", Sct}, {"\\", Sep}, {"b", Sct}}},
      {"keyword_after_backslash_is_field", "a\\Data", false, {{"a", Sct}, {"\\", Sep}, {"Data", Sct}}},
      {"structure_type_after_dot", "x.POINT", false, {{"x", Sct}, {".", Sep}, {"POINT", Sct}}},
      {"basic_type_after_dot", "x.l", false, {{"x", Txt}, {".", Sep}, {"l", Txt}}},
      {"typed_array_declaration", "Dim a.l(3)", false,
       {{"Dim ", Kw}, {"a", Fn}, {".", Sep}, {"l", Txt}, {"(", Sep}, {"3", Num}, {")", Sep}}},
      {"list_of_module_structure", "NewList l.Mod::T()", false,
       {{"NewList ", Kw}, {"l", Fn}, {".", Sep}, {"Mod", Mod}, {"::", Op}, {"T", Sct}, {"(", Sep}, {"", Num},
        {")", Sep}}},
      {"prototype_pseudo_type", "Prototype P(s.p-ascii)", false,
       {{"Prototype ", Kw}, {"P", Fn}, {"(", Sep}, {"s", Txt}, {".", Sep}, {"p-ascii", Txt}, {"", Num},
        {")", Sep}}},

      // Numbers: a '.' joins the digits before it; exponents are split at their sign.
      {"float_with_exponent", "x = 1.5e-10", false,
       {{"x ", Txt}, {"=", Op}, {" 1.", Num}, {"5e", Num}, {"-", Op}, {"10", Num}}},
      {"number_forms_after_dot", "x = .5 + 1.e3", false,
       {{"x ", Txt}, {"=", Op}, {" .", Num}, {"5 ", Num}, {"+", Op}, {" 1.", Num}, {"e3", Num}}},
      {"name_starting_with_e_is_not_a_number", "e1 = 2", false, {{"e1 ", Txt}, {"=", Op}, {" 2", Num}}},
      {"hex_number", "a = $FF+12", false,
       {{"a ", Txt}, {"=", Op}, {" ", Num}, {"$FF", Num}, {"", Num}, {"+", Op}, {"12", Num}}},
      {"binary_number_against_modulo", "b = %1010 % a%10", false,
       {{"b ", Txt}, {"=", Op}, {" ", Num}, {"%1010", Num}, {" ", Num}, {"%", Op}, {" a", Txt}, {"%10", Num}}},

      // Strings, character constants and constants.
      {"string_with_escapes", "~\"a\\n\"", false, {{"", Num}, {"~\"a\\n\"", Str}}},
      {"escaped_quote_stays_inside", "~\"a\\\"b\" + 1", false,
       {{"", Num}, {"~\"a\\\"b\"", Str}, {" ", Num}, {"+", Op}, {" 1", Num}}},
      {"plain_string_has_no_escapes", "\"a\\\" + 1", false,
       {{"", Num}, {"\"a\\\"", Str}, {" ", Num}, {"+", Op}, {" 1", Num}}},
      {"unknown_escape_is_its_own_token", "x = ~\"a\\qb\"", false,
       {{"x ", Txt}, {"=", Op}, {" ", Num}, {"~\"a", Str}, {"\\q", Str}, {"b\"", Str}}},
      {"escaped_string_left_open_takes_line_end", "~\"ab\\\r\nx", false,
       {{"", Num}, {"~\"ab\\\r\n", Str}, {"x", Txt}}},
      {"string_left_open_takes_line_end", "s = \"abc\r\nx", false,
       {{"s ", Txt}, {"=", Op}, {" ", Num}, {"\"abc\r\n", Str}, {"x", Txt}}},
      {"character_constant", "c = 'x'", false, {{"c ", Txt}, {"=", Op}, {" ", Num}, {"'x'", Con}}},
      {"character_constant_open_at_end", "c = 'x", false, {{"c ", Txt}, {"=", Op}, {" ", Num}, {"'x", Con}}},
      {"constants", "#PB_Compiler_Home + #Text$", false,
       {{"", Num}, {"#PB_Compiler_Home", Con}, {" ", Num}, {"+", Op}, {" ", Num}, {"#Text$", Con}}},

      // Keywords in any letter case, with '$', and line ends carried by the token before them.
      {"keywords_any_case_and_dollar", "If a$ = \"b\"\r\n  PROCEDURERETURN #True\r\nendif$", false,
       {{"If ", Kw}, {"a$ ", Txt}, {"=", Op}, {" ", Num}, {"\"b\"", Str}, {"\r\n", Num},
        {"  PROCEDURERETURN ", Kw}, {"#True", Con}, {"\r\n", Num}, {"endif$", Kw}}},
      {"tabs_are_blanks", "\tIf\tx", false, {{"\tIf\t", Kw}, {"x", Txt}}},
      {"align_and_extends_in_declaration", "Structure Pt Extends Base Align 4", false,
       {{"Structure ", Kw}, {"Pt ", Txt}, {"Extends ", Kw}, {"Base ", Txt}, {"Align ", Kw}, {"4", Num}}},
      {"align_and_extends_as_names", "Align = Extends", false, {{"Align ", Txt}, {"=", Op}, {" Extends", Txt}}},
      {"function_call", "x = Len(s$)", false,
       {{"x ", Txt}, {"=", Op}, {" Len", Fn}, {"(", Sep}, {"s$", Txt}, {")", Sep}}},
      {"module_prefix_call", "Mod::Func()", false,
       {{"Mod", Mod}, {"::", Op}, {"Func", Fn}, {"(", Sep}, {"", Num}, {")", Sep}}},

      // Labels are the first word of a line followed by one ':'.
      {"label", "Label:", false, {{"Label:", Lbl}}},
      {"indented_label_then_statement", "  Start: x = 1", false,
       {{"  Start:", Lbl}, {" x ", Txt}, {"=", Op}, {" 1", Num}}},
      {"first_word_before_colon_is_label", "a:b", false, {{"a:", Lbl}, {"b", Txt}}},
      {"colon_inside_statement_separates", "x = a:b", false,
       {{"x ", Txt}, {"=", Op}, {" a", Txt}, {":", Sep}, {"b", Txt}}},

      // Assembler lines and comments run to the end of the line, line end included.
      {"inline_asm_line", "! mov eax, 1", false, {{"", Num}, {"! mov eax, 1", Asm}}},
      {"indented_asm_line_keeps_its_comment", "  !mov eax, 1 ; c\r\nx", false,
       {{"  ", Num}, {"!mov eax, 1 ; c\r\n", Asm}, {"x", Txt}}},
      {"exclamation_inside_line_is_operator", "a ! b", false, {{"a ", Txt}, {"!", Op}, {" b", Txt}}},
      {"comment_with_line_end", "x ; note\r\ny", false, {{"x ", Txt}, {"; note\r\n", Com}, {"y", Txt}}},
      {"indented_comment", "  ; c", false, {{"  ", Num}, {"; c", Com}}},
      {"mnemonics_in_asm_mode", "MOV eax, 1\r\nAnd x\r\ny = a And b", true,
       {{"MOV ", Asm}, {"eax", Txt}, {",", Sep}, {" 1\r\n", Num}, {"And ", Asm}, {"x\r\n", Txt}, {"y ", Txt},
        {"=", Op}, {" a ", Txt}, {"And ", Kw}, {"b", Txt}}},
      {"mnemonics_outside_asm_mode", "MOV eax, 1\r\nAnd x\r\ny = a And b", false,
       {{"MOV ", Txt}, {"eax", Txt}, {",", Sep}, {" 1\r\n", Num}, {"And ", Kw}, {"x\r\n", Txt}, {"y ", Txt},
        {"=", Op}, {" a ", Txt}, {"And ", Kw}, {"b", Txt}}},

      // Blanks and line ends.
      {"trailing_blanks", "x = 1  ", false, {{"x ", Txt}, {"=", Op}, {" 1  ", Num}}},
      {"trailing_blanks_before_line_end", "If a  \r\n", false, {{"If ", Kw}, {"a  \r\n", Txt}}},
      {"blank_line_is_number", "a\r\n\r\nb", false, {{"a\r\n", Txt}, {"\r\n", Num}, {"b", Txt}}},
      {"two_line_feeds_go_together", "a\n\nb", false, {{"a\n\n", Txt}, {"b", Txt}}},

      // Other bytes are one-byte Text tokens.
      {"byte_order_mark", "\xEF\xBB\xBFx", false,
       {{"", Num}, {"\xEF", Txt}, {"", Num}, {"\xBB", Txt}, {"", Num}, {"\xBF", Txt}, {"x", Txt}}},
      {"high_bytes_inside_name", "stra\xC3\x9F" "e = 1", false,
       {{"stra", Txt}, {"\xC3", Txt}, {"", Num}, {"\x9F", Txt}, {"e ", Txt}, {"=", Op}, {" 1", Num}}},
      {"comparison_and_braces", "a<>b{}", false,
       {{"a", Txt}, {"<", Op}, {"", Num}, {">", Op}, {"b", Txt}, {"{", Txt}, {"", Num}, {"}", Txt}}},
      {"nul_byte_ends_the_text", std::string("a = 1\0b", 7), false, {{"a ", Txt}, {"=", Op}, {" 1", Num}}},
  };
  return cases;
}

}  // namespace veld::testing
