// Text conversions and case mappings shared by the three programs.
//
// The builder and the installer hold text as bytes of the system's ANSI code page; the viewer holds
// UTF-8 inside its core and UTF-16 at the Win32 edge. Everything that depends on the system (the ANSI
// code page, the system's case mappings) has two implementations chosen by the build: the Win32 one
// calls the real API, the native one is a stand-in for code page 1252 used by the unit tests.
// The UTF-8 <-> UTF-16 conversions and the ISO 8859-1 rules are plain algorithms, the same everywhere.
#pragma once

#include <string>
#include <string_view>

namespace veld {

// How a program holds its text, and so how it hands paths and names to the system.
enum class Encoding {
  Ansi,  // bytes of the ANSI code page (builder, installer): the A functions of Win32
  Utf8,  // UTF-8 in the core, UTF-16 at the Win32 edge (viewer): the W functions
};

// --- System-independent conversions -------------------------------------------------------------

// Reads each byte as the ISO 8859-1 character of the same value: 0x00-0x7F stay, 0x80-0xFF become
// two-byte UTF-8 sequences.
std::string latin1ToUtf8(std::string_view bytes);

// The reverse, lossy and total (any input gives a defined result):
// - a character below 256 becomes the byte of that value (so do overlong two-byte forms of it);
// - a two-byte sequence of a character of 256 or more, and any complete three- or four-byte
//   sequence, becomes one '?';
// - a lead byte that is not followed by the continuation bytes it needs becomes '?', and only the
//   lead byte is consumed;
// - stray continuation bytes, bytes 0xF8-0xFF and a sequence cut short by the end of the text are
//   dropped.
std::string utf8ToSingleByte(std::string_view utf8);

// UTF-8 to UTF-16. Malformed input (stray or missing continuation bytes, overlong forms, encoded
// surrogates, values above U+10FFFF) gives U+FFFD for each maximal malformed part, as Windows does.
std::u16string utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// --- System-dependent conversions (ANSI code page; 1252 in the native stand-in) -----------------

// Decodes bytes of the ANSI code page (MultiByteToWideChar with CP_ACP).
std::u16string ansiToUtf16(std::string_view ansi);

// Encodes to the ANSI code page; a character the code page lacks becomes '?' (no best-fit guesses).
std::string utf16ToAnsi(std::u16string_view utf16);

// ANSI to UTF-8 (zip entry names given by the single-byte programs).
std::string ansiToUtf8(std::string_view ansi);

// The system's case mappings of ANSI bytes (CharLowerBuffA / CharUpperBuffA): every byte is mapped,
// NUL bytes included. A letter whose counterpart the code page lacks (0xB5, 0x83 upper-cased) stays
// as it is in the native stand-in; the system may substitute a look-alike.
std::string ansiToLower(std::string_view ansi);
std::string ansiToUpper(std::string_view ansi);

// The system's case mappings of UTF-16 code units (CharLowerBuffW / CharUpperBuffW).
std::u16string utf16ToLower(std::u16string_view utf16);
std::u16string utf16ToUpper(std::u16string_view utf16);

// --- Program text to and from the forms other layers need ---------------------------------------

// A program's text as UTF-8 (ANSI decoded through the code page; UTF-8 unchanged).
std::string programTextToUtf8(std::string_view text, Encoding encoding);

// UTF-8 back to a program's text: the single-byte programs use utf8ToSingleByte (the rule the
// archive and preference layers hand names back with); UTF-8 stays unchanged.
std::string utf8ToProgramText(std::string_view utf8, Encoding encoding);

}  // namespace veld
