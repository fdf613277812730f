// The package format: entry names, the fixed lines of every page, and how index.txt lines are
// written and read. The builder writes with it and the viewer reads with it, so both agree on every
// byte. All texts are bytes, passed through unconverted: nothing here knows about encodings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veld {

// --- Names ---------------------------------------------------------------------------------------

inline constexpr char kPackageExtension[] = ".veld";
inline constexpr char kIndexEntryName[] = "index.txt";

// "0.html", "1.html", ...: the page of topic n (decimal, no leading zeros).
std::string pageEntryName(std::uint64_t pageNumber);

// The package that belongs to a source module: the module's folder and file name, with the part of
// the file name from its last "." on replaced by ".veld" (a name without "." just gains it).
// "C:\src\my.module.pbi" gives "C:\src\my.module.veld".
std::string packagePathFor(std::string_view sourcePath);

// --- Pages ---------------------------------------------------------------------------------------

inline constexpr char kLineEnd[] = "\r\n";

inline constexpr char kPageFirstLine[] = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\"><HTML>";
inline constexpr char kPageSecondLine[] =
    "<BODY BGCOLOR=\"#FFFFDF\" LINK=\"#009999\" VLINK=\"#006666\" ALINK=\"#006666\">";
inline constexpr char kSectionRule[] = "<HR>";
inline constexpr char kCodeTableOpening[] =
    "<TABLE BORDER=\"1\" BGCOLOR=\"#FFFFEF\" BORDERCOLOR=\"#FFFFCF\" CELLSPACING=\"0\" CELLPADDING=\"10\" "
    "BORDERCOLORLIGHT=\"#FFFFEF\" BORDERCOLORDARK=\"#FFFFAF\"><TR><TD WIDTH=\"100%\"><PRE>"
    "<FONT FACE=\"Courier New, Courier, mono\" SIZE=\"2\">";
inline constexpr char kCodeTableClosing[] = "</PRE></TD></TR></TABLE>";
inline constexpr char kPageLastLine[] = "</BODY></HTML>";
inline constexpr char kPieceLineStart[] = "<BR>";

// The heading line of a page, without its line end. The page templates keep 0xB2 as the stand-in
// for a double quote and replace it after the title is in place, so a 0xB2 in the title turns into
// a double quote here too (index.txt keeps the byte).
std::string headingLine(std::string_view title);

// A piece as it goes into a page: every CR LF inside it followed by "<BR>", and one CR LF appended.
// An empty text gives CR LF alone. appendPiece adds it to the end of `page`.
std::string pieceBytes(std::string_view text);
void appendPiece(std::string& page, std::string_view text);

// --- index.txt -----------------------------------------------------------------------------------

// One line of index.txt with its CR LF: the level in decimal, ",", the kind, ",", the title. Nothing
// is escaped; a comma in the title stays and cuts the title short for readers.
std::string indexLine(std::uint64_t level, std::string_view kind, std::string_view title);

// The three fields of an index line as readers take them (the line without its line end). Field k,
// counted from 1, is the text between the (k-1)-th and the k-th comma; the last field runs to the end
// of the line, a field beyond the last comma is empty, and anything after a third comma is ignored.
struct IndexFields {
  std::string_view level;  // raw text; topicLevelValue reads it
  std::string_view kind;   // "0", "1", "2" or anything else (no icon then)
  std::string_view title;
};
IndexFields splitIndexLine(std::string_view line);

// The integer value of a level field: blanks and tabs at the start skipped, an optional "+" or "-",
// then "$" and hexadecimal digits, "%" and binary digits, or decimal digits; reading stops at the
// first other character; no digits give 0. Values beyond the 32-bit range saturate.
std::int32_t topicLevelValue(std::string_view text);

// --- The closing topic ---------------------------------------------------------------------------

inline constexpr char kClosingTopicTitle[] = "Compilation";
inline constexpr char kClosingTopicKind[] = "1";
inline constexpr char kBuilderNameAndVersion[] = "TailVeld 1.0.0.9";
inline constexpr char kIdeVersionLineStart[] = "PureBasic ";

}  // namespace veld
