#include "highlighter/keywords.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace veld {
namespace {

// The editor's keyword list, grouped by first letter so that a lookup only compares a handful.
constexpr std::string_view kBasicKeywords[] = {
    "Align", "And", "Array", "As",
    "Break",
    "CallDebugger", "Case", "CompilerCase", "CompilerDefault", "CompilerElse", "CompilerElseIf",
    "CompilerEndIf", "CompilerEndSelect", "CompilerError", "CompilerIf", "CompilerSelect",
    "CompilerWarning", "Continue",
    "Data", "DataSection", "Debug", "DebugLevel", "Declare", "DeclareC", "DeclareCDLL", "DeclareDLL",
    "DeclareModule", "Default", "Define", "Dim", "DisableASM", "DisableDebugger", "DisableExplicit",
    "Else", "ElseIf", "EnableASM", "EnableDebugger", "EnableExplicit", "End", "EndDataSection",
    "EndDeclareModule", "EndEnumeration", "EndIf", "EndImport", "EndInterface", "EndMacro", "EndModule",
    "EndProcedure", "EndSelect", "EndStructure", "EndStructureUnion", "EndWith", "Enumeration",
    "EnumerationBinary", "Extends",
    "FakeReturn", "For", "ForEach", "ForEver",
    "Global", "Gosub", "Goto",
    "If", "Import", "ImportC", "IncludeBinary", "IncludeFile", "IncludePath", "Interface",
    "List",
    "Macro", "MacroExpandedCount", "Map", "Module",
    "NewList", "NewMap", "Next", "Not",
    "Or",
    "Procedure", "ProcedureC", "ProcedureCDLL", "ProcedureDLL", "ProcedureReturn", "Protected",
    "Prototype", "PrototypeC",
    "Read", "ReDim", "Repeat", "Restore", "Return", "Runtime",
    "Select", "Shared", "Static", "Step", "Structure", "StructureUnion", "Swap",
    "Threaded", "To",
    "UndefineMacro", "Until", "UnuseModule", "UseModule",
    "Wend", "While", "With",
    "XIncludeFile", "XOr",
};

constexpr std::size_t kKeywordCount = std::size(kBasicKeywords);
constexpr std::size_t kShortestKeyword = 2;   // "As", "If", ...
constexpr std::size_t kLongestKeyword = 18;   // "MacroExpandedCount"

// x86 mnemonics in byte order (binary search).
constexpr std::string_view kAsmMnemonics[] = {
    "AAA", "AAD", "AAM", "AAS", "ADC", "ADD", "AND", "ARPL", "BOUND", "BSF", "BSR", "BSWAP", "BT",
    "BTC", "BTR", "BTS", "CALL", "CBW", "CDQ", "CLC", "CLD", "CLI", "CLTS", "CMC", "CMOVA",
    "CMOVAE", "CMOVB", "CMOVBE", "CMOVC", "CMOVE", "CMOVG", "CMOVGE", "CMOVL", "CMOVLE", "CMOVNA",
    "CMOVNAE", "CMOVNB", "CMOVNBE", "CMOVNC", "CMOVNE", "CMOVNG", "CMOVNGE", "CMOVNL", "CMOVNLE",
    "CMOVNO", "CMOVNP", "CMOVNS", "CMOVNZ", "CMOVO", "CMOVP", "CMOVPE", "CMOVPO", "CMOVS", "CMOVZ",
    "CMP", "CMPS", "CMPSB", "CMPSD", "CMPSW", "CMPXCHG", "CMPXCHG8B", "CWD", "CWDE", "DAA", "DAS",
    "DB", "DD", "DEC", "DIV", "DW", "EMMS", "ENTER", "ESC", "F2XM1", "FABS", "FADD", "FADDP",
    "FBLD", "FBSTP", "FCHS", "FCLEX", "FCMOVB", "FCMOVBE", "FCMOVE", "FCMOVNB", "FCMOVNBE",
    "FCMOVNE", "FCMOVNU", "FCMOVU", "FCOM", "FCOMI", "FCOMIP", "FCOMP", "FCOMPP", "FCOS", "FDECSTP",
    "FDIV", "FDIVP", "FDIVR", "FDIVRP", "FFREE", "FIADD", "FICOM", "FICOMP", "FIDIV", "FIDIVR",
    "FILD", "FIMUL", "FINCSTP", "FINIT", "FIST", "FISTP", "FISUB", "FISUBR", "FLD", "FLD1", "FLDCW",
    "FLDENV", "FLDL2E", "FLDL2T", "FLDLG2", "FLDLN2", "FLDPI", "FLDZ", "FMUL", "FMULP", "FNCLEX",
    "FNINIT", "FNOP", "FNSAVE", "FNSTCW", "FNSTENV", "FNSTSW", "FPATAN", "FPREM", "FPREM1", "FPTAN",
    "FRNDINT", "FRSTOR", "FSAVE", "FSCALE", "FSETPM", "FSIN", "FSINCOS", "FSQRT", "FST", "FSTCW",
    "FSTENV", "FSTP", "FSTSW", "FSUB", "FSUBP", "FSUBR", "FSUBRP", "FTST", "FUCOM", "FUCOMI",
    "FUCOMIP", "FUCOMP", "FUCOMPP", "FWAIT", "FXAM", "FXCH", "FXTRACT", "FYL2X", "FYL2XP1", "HLT",
    "IDIV", "IMUL", "IN", "INC", "INS", "INSB", "INSD", "INSW", "INT", "INTO", "INVD", "INVLPG",
    "IRET", "IRETD", "JA", "JAE", "JB", "JBE", "JC", "JCXZ", "JE", "JECXZ", "JG", "JGE", "JL",
    "JLE", "JMP", "JNA", "JNAE", "JNB", "JNBE", "JNC", "JNE", "JNG", "JNGE", "JNL", "JNLE", "JNO",
    "JNP", "JNS", "JNZ", "JO", "JP", "JPE", "JPO", "JS", "JZ", "LAHF", "LAR", "LDS", "LEA", "LEAVE",
    "LES", "LFS", "LGDT", "LGS", "LIDT", "LLDT", "LMSW", "LOCK", "LODS", "LODSB", "LODSD", "LODSW",
    "LOOP", "LOOPE", "LOOPNE", "LOOPNZ", "LOOPZ", "LSL", "LSS", "LTR", "MOV", "MOVD", "MOVQ",
    "MOVS", "MOVSB", "MOVSD", "MOVSW", "MOVSX", "MOVZX", "MUL", "NEG", "NOP", "NOT", "OR", "OUT",
    "OUTS", "OUTSB", "OUTSD", "OUTSW", "PACKSSDW", "PACKSSWB", "PACKUSWB", "PADDB", "PADDD",
    "PADDSB", "PADDSW", "PADDUSB", "PADDUSW", "PADDW", "PAND", "PANDN", "PCMPEQB", "PCMPEQD",
    "PCMPEQW", "PCMPGTB", "PCMPGTD", "PCMPGTW", "PMADDWD", "PMULHW", "POP", "POPA", "POPAD", "POPF",
    "POPFD", "POR", "PSLLD", "PSLLQ", "PSLLW", "PSRAD", "PSRAW", "PSRLD", "PSRLQ", "PSRLW", "PSUBB",
    "PSUBD", "PSUBSB", "PSUBSW", "PSUBUSB", "PSUBUSW", "PSUBW", "PUNPCKHBW", "PUNPCKHDQ",
    "PUNPCKHWD", "PUNPCKLBW", "PUNPCKLDQ", "PUNPCKLWD", "PUSH", "PUSHA", "PUSHAD", "PUSHF",
    "PUSHFD", "PXOR", "RCL", "RCR", "RDMSR", "RDPMC", "RDTSC", "REP", "REPE", "REPNE", "REPNZ",
    "REPZ", "RET", "RETF", "ROL", "ROR", "RSM", "SAHF", "SAL", "SAR", "SBB", "SCAS", "SCASB",
    "SCASD", "SCASW", "SETA", "SETAE", "SETB", "SETBE", "SETC", "SETE", "SETG", "SETGE", "SETL",
    "SETLE", "SETNA", "SETNAE", "SETNB", "SETNBE", "SETNC", "SETNE", "SETNG", "SETNGE", "SETNL",
    "SETNLE", "SETNO", "SETNP", "SETNS", "SETNZ", "SETO", "SETP", "SETPE", "SETPO", "SETS", "SETZ",
    "SGDT", "SHL", "SHLD", "SHR", "SHRD", "SIDT", "SLDT", "SMSW", "STC", "STD", "STI", "STOS",
    "STOSB", "STOSD", "STOSW", "STR", "SUB", "TEST", "UD2", "VERR", "VERW", "WAIT", "WBINVD",
    "WRMSR", "XADD", "XCHG", "XLAT", "XLATB", "XOR",
};

constexpr std::size_t kLongestMnemonic = 9;  // "CMPXCHG8B", "PUNPCKHBW"

constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

struct LetterRange {
  unsigned char first = 0;
  unsigned char end = 0;
};

// For each letter a..z, the slice of kBasicKeywords that starts with it.
constexpr std::array<LetterRange, 26> makeLetterRanges() {
  std::array<LetterRange, 26> ranges{};
  for (std::size_t i = 0; i < kKeywordCount; ++i) {
    const std::size_t letter = static_cast<std::size_t>(lowerAscii(kBasicKeywords[i][0]) - 'a');
    if (ranges[letter].end == 0) ranges[letter].first = static_cast<unsigned char>(i);
    ranges[letter].end = static_cast<unsigned char>(i + 1);
  }
  return ranges;
}

constexpr bool groupedByLetter() {
  for (std::size_t i = 1; i < kKeywordCount; ++i) {
    if (lowerAscii(kBasicKeywords[i - 1][0]) > lowerAscii(kBasicKeywords[i][0])) return false;
  }
  return true;
}

constexpr bool mnemonicsSorted() {
  for (std::size_t i = 1; i < std::size(kAsmMnemonics); ++i) {
    if (!(kAsmMnemonics[i - 1] < kAsmMnemonics[i])) return false;
  }
  return true;
}

static_assert(kKeywordCount == 111, "the editor knows 111 keywords");
static_assert(kKeywordCount < 256, "letter ranges hold byte indices");
static_assert(groupedByLetter(), "keywords must stay grouped by first letter");
static_assert(mnemonicsSorted(), "mnemonics must stay sorted for the binary search");

constexpr std::array<LetterRange, 26> kLetterRanges = makeLetterRanges();

bool equalsIgnoringCase(const char* word, std::string_view keyword) {
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (lowerAscii(word[i]) != lowerAscii(keyword[i])) return false;
  }
  return true;
}

}  // namespace

BasicKeyword findBasicKeyword(const char* word, std::size_t length) noexcept {
  if (length > 0 && word[length - 1] == '$') --length;
  if (length < kShortestKeyword || length > kLongestKeyword) return BasicKeyword::None;
  const char first = lowerAscii(word[0]);
  if (first < 'a' || first > 'z') return BasicKeyword::None;
  const LetterRange range = kLetterRanges[static_cast<std::size_t>(first - 'a')];
  for (std::size_t i = range.first; i < range.end; ++i) {
    const std::string_view keyword = kBasicKeywords[i];
    if (keyword.size() != length || !equalsIgnoringCase(word, keyword)) continue;
    if (keyword == "Align") return BasicKeyword::Align;
    if (keyword == "Extends") return BasicKeyword::Extends;
    return BasicKeyword::Other;
  }
  return BasicKeyword::None;
}

bool isAsmMnemonic(const char* word, std::size_t length) noexcept {
  if (length == 0 || length > kLongestMnemonic) return false;
  char upper[kLongestMnemonic];
  for (std::size_t i = 0; i < length; ++i) upper[i] = upperAscii(word[i]);
  const std::string_view key(upper, length);
  const auto* found = std::lower_bound(std::begin(kAsmMnemonics), std::end(kAsmMnemonics), key);
  return found != std::end(kAsmMnemonics) && *found == key;
}

}  // namespace veld
