#include "highlighter/tokenizer.h"

#include <array>
#include <cstring>
#include <string_view>

#include "highlighter/keywords.h"

namespace veld {
namespace {

// What follows a word. Byte values 1..255 are the separator byte itself; the rules below also
// look back at the separators of the two previous steps (a '.' or '\' before a name matters).
constexpr int kWordFollows = 0;   // only blanks, then the next word
constexpr int kEndOfText = -1;
constexpr int kConsumed = -2;     // eaten by the step's own token: a line end, a string, a "::"...

enum : unsigned char { kWordChar = 1, kBlank = 2, kLineEnd = 4, kHexDigit = 8, kPointerLead = 16 };

constexpr std::array<unsigned char, 256> makeCharClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = '0'; c <= '9'; ++c) classes[c] |= kWordChar | kHexDigit;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= kWordChar;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] |= kWordChar;
  for (int c = 'A'; c <= 'F'; ++c) classes[c] |= kHexDigit;
  for (int c = 'a'; c <= 'f'; ++c) classes[c] |= kHexDigit;
  classes['_'] |= kWordChar;
  classes[' '] |= kBlank;
  classes['\t'] |= kBlank;
  classes['\r'] |= kLineEnd;
  classes['\n'] |= kLineEnd;
  // Bytes after which a '*' starts a pointer name rather than a multiplication.
  for (char c : std::string_view("(:[,*=+-/@&|!~<>\\%")) classes[static_cast<unsigned char>(c)] |= kPointerLead;
  return classes;
}

constexpr std::array<unsigned char, 256> kCharClasses = makeCharClasses();

constexpr bool isWordChar(unsigned char c) { return (kCharClasses[c] & kWordChar) != 0; }
constexpr bool isBlank(unsigned char c) { return (kCharClasses[c] & kBlank) != 0; }
constexpr bool isLineEnd(unsigned char c) { return (kCharClasses[c] & kLineEnd) != 0; }
constexpr bool isHexDigit(unsigned char c) { return (kCharClasses[c] & kHexDigit) != 0; }
constexpr bool isPointerLead(unsigned char c) { return (kCharClasses[c] & kPointerLead) != 0; }

constexpr unsigned char upperAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// The one-letter built-in types that may follow a '.' (a.l, b.s, c.i ...).
constexpr bool isBasicTypeLetter(unsigned char c) {
  switch (upperAscii(c)) {
    case 'A': case 'B': case 'C': case 'U': case 'W': case 'L': case 'S': case 'F': case 'D': case 'Q': case 'I':
      return true;
    default:
      return false;
  }
}

constexpr bool isEscapeLetter(unsigned char c) {
  switch (c) {
    case 'a': case 'b': case 'f': case 'n': case 'r': case 't': case 'v': case '"': case '\\':
      return true;
    default:
      return false;
  }
}

bool equalsIgnoringCase(const unsigned char* text, std::string_view expected) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (upperAscii(text[i]) != upperAscii(static_cast<unsigned char>(expected[i]))) return false;
  }
  return true;
}

// Prototype parameter pseudo-types; the editor shows them as plain text, not as a structure.
constexpr std::string_view kPseudoTypes[] = {".p-ascii", ".p-unicode", ".p-bstr", ".p-variant", ".p-utf8"};

class Scanner {
 public:
  Scanner(const unsigned char* text, std::size_t end, TokenCallback callback, void* context, bool enableAsm)
      : text_(text), end_(end), callback_(callback), context_(context), enableAsm_(enableAsm) {}

  void run();

 private:
  void emit(std::size_t position, std::size_t length, TokenKind kind) { callback_(position, length, kind, context_); }

  std::size_t skipBlanks(std::size_t at) const {
    while (at < end_ && isBlank(text_[at])) ++at;
    return at;
  }
  std::size_t skipWord(std::size_t at) const {
    while (at < end_ && isWordChar(text_[at])) ++at;
    return at;
  }
  std::size_t skipName(std::size_t at) const {  // a word with '$' anywhere (pointer and constant names)
    while (at < end_ && (isWordChar(text_[at]) || text_[at] == '$')) ++at;
    return at;
  }
  // CR, LF, CR LF, and also LF LF or CR CR: the editor takes two line-end bytes together.
  std::size_t lineEndLength(std::size_t at) const { return (at + 1 < end_ && isLineEnd(text_[at + 1])) ? 2 : 1; }
  // From a line-end byte or the end of text, to just past the line end.
  std::size_t passLineEnd(std::size_t at, bool& newLine) const {
    if (at < end_) {
      newLine = true;
      return at + lineEndLength(at);
    }
    return at;
  }

  bool onlyBlanksBefore(std::size_t at) const;
  bool atCommandStart(std::size_t at) const;
  bool keywordFitsContext(BasicKeyword keyword, std::size_t wordStart) const;
  bool isDecimalWord(std::size_t at, std::size_t length) const;
  bool isBasicTypeWord(std::size_t at, std::size_t length) const {
    return length == 1 && isBasicTypeLetter(text_[at]);
  }
  bool starStartsPointer(std::size_t at) const;

  bool classifyWord(std::size_t start, std::size_t wordStart, std::size_t wordLength, std::size_t& cursor, int& separator);
  bool classifyBeforeDot(std::size_t start, std::size_t& cursor, int& separator);
  void scanSeparator(std::size_t& cursor, int& separator, bool& newLine);

  const unsigned char* text_;
  std::size_t end_;
  TokenCallback callback_;
  void* context_;
  bool enableAsm_;

  std::size_t lineStart_ = 0;
  int oldSeparator_ = 0;    // separator of the previous step on this line
  int olderSeparator_ = 0;  // and of the step before it
};

bool Scanner::onlyBlanksBefore(std::size_t at) const {
  for (std::size_t k = at; k > lineStart_; --k) {
    if (!isBlank(text_[k - 1])) return false;
  }
  return true;
}

// First word of a statement: at the line start or after a ':' statement separator.
bool Scanner::atCommandStart(std::size_t at) const {
  for (std::size_t k = at; k > lineStart_; --k) {
    const unsigned char c = text_[k - 1];
    if (c == ':') return true;
    if (!isBlank(c)) return false;
  }
  return true;
}

// Align and Extends are keywords only in "Structure Name Extends Base Align n" and
// "Interface Name Extends Base"; elsewhere they are ordinary names.
bool Scanner::keywordFitsContext(BasicKeyword keyword, std::size_t wordStart) const {
  if (keyword != BasicKeyword::Align && keyword != BasicKeyword::Extends) return true;
  std::size_t k = wordStart;
  while (k > lineStart_ && isBlank(text_[k - 1])) --k;
  const std::size_t nameEnd = k;
  while (k > lineStart_ && isWordChar(text_[k - 1])) --k;
  if (k == nameEnd) return false;
  while (k > lineStart_ && isBlank(text_[k - 1])) --k;
  const std::size_t introEnd = k;
  while (k > lineStart_ && isWordChar(text_[k - 1])) --k;
  const std::size_t introLength = introEnd - k;
  const auto introIs = [&](std::string_view word) {
    return introLength == word.size() && equalsIgnoringCase(text_ + k, word);
  };
  if (introIs("Structure")) return true;
  if (keyword == BasicKeyword::Extends) return introIs("Interface");
  return introIs("Extends");
}

// Digits with exponent letters and signs (12, 1e5; the editor also takes "12e" and "1e"), not
// starting with an 'e' so that names like e1 stay names. An empty word counts: the blanks
// before a separator are reported as a Number token.
bool Scanner::isDecimalWord(std::size_t at, std::size_t length) const {
  if (length == 0) return true;
  if (upperAscii(text_[at]) == 'E') return false;
  for (std::size_t i = at; i < at + length; ++i) {
    const unsigned char c = text_[i];
    if ((c < '0' || c > '9') && c != 'e' && c != 'E' && c != '-' && c != '+') return false;
  }
  return true;
}

// "*name" is a pointer after an operator, an opening bracket, a keyword or at the line start;
// after a value (a name, ')' ']' or '.') the '*' multiplies.
bool Scanner::starStartsPointer(std::size_t at) const {
  std::size_t k = at;
  while (k > 0) {
    const unsigned char c = text_[k - 1];
    if (isLineEnd(c) || isPointerLead(c)) return true;
    if (c == ')' || c == ']' || c == '.') return false;
    if (isWordChar(c)) break;
    --k;
  }
  if (k == 0) return true;
  const char* chars = reinterpret_cast<const char*>(text_);
  std::size_t wordEnd = k;
  while (k > 0 && isWordChar(text_[k - 1])) --k;
  if (findBasicKeyword(chars + k, wordEnd - k) != BasicKeyword::None) return true;
  // "Define.l *p": look past a type suffix to the keyword before it.
  if (k > 0 && text_[k - 1] == '.') {
    wordEnd = --k;
    while (k > 0 && isWordChar(text_[k - 1])) --k;
    return findBasicKeyword(chars + k, wordEnd - k) != BasicKeyword::None;
  }
  return false;
}

// Reports the token of the blanks and word before the separator. Returns true when that token
// took the separator as well (a label's ':', a number's '.', a module's "::", a pseudo-type).
bool Scanner::classifyWord(std::size_t start, std::size_t wordStart, std::size_t wordLength, std::size_t& cursor,
                           int& separator) {
  const char* word = reinterpret_cast<const char*>(text_) + wordStart;
  const std::size_t length = cursor - start;

  const BasicKeyword keyword = findBasicKeyword(word, wordLength);
  // After '\' a keyword is a structure field; in assembler mode a mnemonic such as "And" that
  // opens a statement is an instruction.
  if (keyword != BasicKeyword::None && oldSeparator_ != '\\' && keywordFitsContext(keyword, wordStart) &&
      !(enableAsm_ && isAsmMnemonic(word, wordLength) && atCommandStart(wordStart))) {
    emit(start, length, TokenKind::Keyword);
    return false;
  }
  if (separator == ':' && cursor + 1 < end_ && text_[cursor + 1] == ':') {
    emit(start, length, TokenKind::Module);
    emit(cursor, 2, TokenKind::Operator);
    cursor += 2;
    separator = kConsumed;
    return true;
  }
  if (separator == ':' && wordLength > 0 && onlyBlanksBefore(wordStart)) {
    emit(start, length + 1, TokenKind::Label);
    return true;
  }
  if (separator == '(' && wordLength > 0) {
    TokenKind kind = TokenKind::Function;
    if (oldSeparator_ == '.') {
      kind = isBasicTypeWord(wordStart, wordLength) ? TokenKind::Text : TokenKind::Structure;
    } else if (oldSeparator_ == kConsumed && olderSeparator_ == '.') {
      kind = TokenKind::Structure;  // "List x.Mod::Type()"
    }
    emit(start, length, kind);
    return false;
  }
  // "1.e10": after a '.' the exponent letter may lead.
  if (isDecimalWord(wordStart, wordLength) ||
      (oldSeparator_ == '.' && upperAscii(text_[wordStart]) == 'E' && isDecimalWord(wordStart + 1, wordLength - 1))) {
    if (separator == '.') {
      emit(start, length + 1, TokenKind::Number);
      return true;
    }
    emit(start, length, TokenKind::Number);
    return false;
  }
  if (enableAsm_ && isAsmMnemonic(word, wordLength)) {
    emit(start, length, TokenKind::Asm);
    return false;
  }
  if (oldSeparator_ == '\\' || separator == '\\') {
    emit(start, length, TokenKind::Structure);
    return false;
  }
  if (separator == '.' || oldSeparator_ == '.' || (oldSeparator_ == kConsumed && olderSeparator_ == '.')) {
    if (oldSeparator_ == '.') {
      emit(start, length, isBasicTypeWord(wordStart, wordLength) ? TokenKind::Text : TokenKind::Structure);
      return false;
    }
    return classifyBeforeDot(start, cursor, separator);
  }
  if (length > 0) emit(start, length, TokenKind::Text);
  return false;
}

// A name before a '.': what follows the '.' decides its colour.
bool Scanner::classifyBeforeDot(std::size_t start, std::size_t& cursor, int& separator) {
  const std::size_t length = cursor - start;
  const std::size_t nextStart = cursor < end_ ? cursor + 1 : end_;
  std::size_t ahead = skipWord(nextStart);
  const std::size_t nextLength = ahead - nextStart;
  ahead = skipBlanks(ahead);
  bool modulePrefix = false;
  if (ahead + 1 < end_ && text_[ahead] == ':' && text_[ahead + 1] == ':') {
    modulePrefix = true;
    ahead = skipBlanks(skipWord(skipBlanks(ahead + 2)));
  }
  if (ahead < end_ && text_[ahead] == '(') {  // Dim a.l(3), NewList l.Point()
    emit(start, length, TokenKind::Function);
    return false;
  }
  if (!modulePrefix && nextLength == 1 && isBasicTypeLetter(text_[nextStart])) {
    emit(start, length, TokenKind::Text);
    return false;
  }
  if (nextLength == 1 && upperAscii(text_[nextStart]) == 'P') {
    for (std::string_view pseudo : kPseudoTypes) {
      if (pseudo.size() <= end_ - cursor && equalsIgnoringCase(text_ + cursor, pseudo)) {
        emit(start, length, TokenKind::Text);
        emit(cursor, 1, TokenKind::Separator);
        emit(cursor + 1, pseudo.size() - 1, TokenKind::Text);
        cursor += pseudo.size();
        separator = kConsumed;
        return true;
      }
    }
  }
  emit(start, length, TokenKind::Structure);
  return false;
}

// Reports the token that the separator byte starts. Tokens that reach past the separator move
// the cursor themselves and mark the separator consumed.
void Scanner::scanSeparator(std::size_t& cursor, int& separator, bool& newLine) {
  const std::size_t at = cursor;
  std::size_t k = at + 1;
  TokenKind kind = TokenKind::Text;
  switch (separator) {
    case '!':
      if (!onlyBlanksBefore(at)) {
        emit(at, 1, TokenKind::Operator);
        return;
      }
      // Inline assembler: the whole line, comment included, is passed on to the assembler.
      while (k < end_ && !isLineEnd(text_[k])) ++k;
      k = passLineEnd(k, newLine);
      kind = TokenKind::Asm;
      break;
    case ';':
      while (k < end_ && !isLineEnd(text_[k])) ++k;
      k = passLineEnd(k, newLine);
      kind = TokenKind::Comment;
      break;
    case '"':
    case '\'': {
      // A string or character constant ends at its closing quote or, left open, with its line.
      const unsigned char quote = static_cast<unsigned char>(separator);
      while (k < end_ && text_[k] != quote && !isLineEnd(text_[k])) ++k;
      if (k < end_ && text_[k] == quote) {
        ++k;
      } else {
        k = passLineEnd(k, newLine);
      }
      kind = quote == '"' ? TokenKind::String : TokenKind::Constant;
      break;
    }
    case '~': {
      if (k >= end_ || text_[k] != '"') {
        emit(at, 1, TokenKind::Operator);
        return;
      }
      // String with escape sequences. An unknown escape is reported as a token of its own (the
      // editor marks it); a backslash before the line end escapes nothing.
      std::size_t pieceStart = at;
      ++k;
      while (k < end_) {
        const unsigned char c = text_[k];
        if (c == '"') {
          ++k;
          break;
        }
        if (isLineEnd(c)) {
          k = passLineEnd(k, newLine);
          break;
        }
        if (c == '\\' && k + 1 < end_ && !isLineEnd(text_[k + 1])) {
          if (!isEscapeLetter(text_[k + 1])) {
            if (k > pieceStart) emit(pieceStart, k - pieceStart, TokenKind::String);
            emit(k, 2, TokenKind::String);
            pieceStart = k + 2;
          }
          k += 2;
          continue;
        }
        ++k;
      }
      if (k > pieceStart) emit(pieceStart, k - pieceStart, TokenKind::String);
      cursor = k;
      separator = kConsumed;
      return;
    }
    case '#':
      k = skipWord(k);
      if (k < end_ && text_[k] == '$') ++k;
      kind = TokenKind::Constant;
      break;
    case '$':
      while (k < end_ && isHexDigit(text_[k])) ++k;
      kind = TokenKind::Number;
      break;
    case '%':
      while (k < end_ && (text_[k] == '0' || text_[k] == '1')) ++k;
      if (k == at + 1) {  // modulo
        emit(at, 1, TokenKind::Operator);
        return;
      }
      kind = TokenKind::Number;
      break;
    case '@':
    case '?':
      k = skipName(k);
      kind = TokenKind::Pointer;
      break;
    case '*':
      if (k >= end_ || !isWordChar(text_[k]) || !starStartsPointer(at)) {
        emit(at, 1, TokenKind::Operator);
        return;
      }
      k = skipName(k);
      kind = TokenKind::Pointer;
      break;
    case '=': case '+': case '-': case '/': case '&': case '|': case '<': case '>':
      emit(at, 1, TokenKind::Operator);
      return;
    case '(': case ')': case '[': case ']': case '.': case ',': case ':': case '\\':
      emit(at, 1, TokenKind::Separator);
      return;
    default:
      emit(at, 1, TokenKind::Text);
      return;
  }
  emit(at, k - at, kind);
  cursor = k;
  separator = kConsumed;
}

// One step: blanks, a word, blanks, then the separator byte that ends them.
void Scanner::run() {
  std::size_t cursor = 0;
  while (cursor < end_) {
    const std::size_t start = cursor;
    const std::size_t wordStart = skipBlanks(cursor);
    std::size_t wordEnd = skipWord(wordStart);
    cursor = skipBlanks(wordEnd);
    // A '$' right after a word belongs to it (Name$); a '$' alone starts a hex number.
    if (cursor == wordEnd && wordStart < wordEnd && cursor < end_ && text_[cursor] == '$') {
      ++wordEnd;
      cursor = skipBlanks(cursor + 1);
    }

    bool newLine = false;
    int separator = kEndOfText;
    if (cursor < end_) {
      const unsigned char c = text_[cursor];
      if (isWordChar(c)) {
        separator = kWordFollows;
      } else if (isLineEnd(c)) {
        cursor = passLineEnd(cursor, newLine);  // the line end joins the word's token
        separator = kConsumed;
      } else {
        separator = c;
      }
    }

    const bool separatorTaken = classifyWord(start, wordStart, wordEnd - wordStart, cursor, separator);
    if (!separatorTaken && separator > 0) scanSeparator(cursor, separator, newLine);
    if (separator > 0) ++cursor;

    olderSeparator_ = oldSeparator_;
    oldSeparator_ = separator;
    if (newLine) {
      lineStart_ = cursor;
      oldSeparator_ = 0;
      olderSeparator_ = 0;
    }
  }
}

}  // namespace

void tokenizePureBasic(const char* buffer, std::size_t length, TokenCallback callback, void* context,
                       bool enableAsm) noexcept {
  if (buffer == nullptr || callback == nullptr || length == 0) return;
  const void* nul = std::memchr(buffer, 0, length);
  const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : length;
  Scanner(reinterpret_cast<const unsigned char*>(buffer), end, callback, context, enableAsm).run();
}

}  // namespace veld
