#pragma once
// PureBasic tokenizer that splits and classifies source text the way the PureBasic editor's
// highlighting library does, so that pages coloured through it look like the editor.

#include <cstddef>

namespace veld {

// Token kinds, numbered as the highlighting library reports them.
enum class TokenKind : int {
  Text = 0,
  Keyword = 1,
  Comment = 2,
  Constant = 3,
  String = 4,
  Function = 5,
  Asm = 6,
  Operator = 7,
  Structure = 8,
  Number = 9,
  Pointer = 10,
  Separator = 11,
  Label = 12,
  Module = 13,
};

// Receives one token: its offset in the buffer, its length in bytes (0 happens: the editor
// reports empty runs of blanks as Number tokens), its kind, and the caller's context.
using TokenCallback = void (*)(std::size_t position, std::size_t length, TokenKind kind, void* context);

// Reports the tokens of buffer[0, length) in text order. Scanning ends at the first NUL byte or
// at length, whichever comes first; no byte at or after buffer[length] is read. The tokens cover
// the scanned bytes exactly once and in order: blanks and line ends belong to neighbouring tokens.
// enableAsm also colours bare x86 mnemonics as Asm (as in an EnableASM block); lines that start
// with '!' are Asm either way. Allocates nothing.
void tokenizePureBasic(const char* buffer, std::size_t length, TokenCallback callback, void* context,
                       bool enableAsm) noexcept;

}  // namespace veld
