#pragma once
// Word lists the PureBasic tokenizer classifies against: the language's keywords and the
// x86 mnemonics that inline assembler lines may use.

#include <cstddef>

namespace veld {

// Align and Extends are told apart because they are keywords only in a declaration context.
enum class BasicKeyword { None, Align, Extends, Other };

// Looks a word up among the language keywords, ignoring letter case; one trailing '$' is allowed
// ("EndIf$" still reads as EndIf, as the editor treats it).
BasicKeyword findBasicKeyword(const char* word, std::size_t length) noexcept;

// True when the word (any letter case) is an x86 mnemonic the editor colours in assembler mode.
bool isAsmMnemonic(const char* word, std::size_t length) noexcept;

}  // namespace veld
