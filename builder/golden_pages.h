// Expected bytes for the builder's tests, written out literally rather than taken from the code
// under test: the worked example module, the complete small page, the parts of every page and the
// closing topic of a build at 23/11/13 11:30:02. Test-only.
#pragma once

#include <string>

namespace veld::golden {

inline const std::string kWorkedExample =
    ";&&&0 Tips\r\n"
    ";/// Some useful tips\r\n"
    ";>>>\r\n"
    ";&&&2 MessageRequester\r\n"
    ";/// Constants avalaible for MessageRequester :\r\n"
    ";<<<\r\n"
    ";&&&1 StringToOemm\r\n"
    "Procedure StringToOemm(StringAddress) ;+++\r\n"
    "  ;/// Translates a string into the OEM-defined character set.\r\n"
    "  CharToOem_(StringAddress,StringAddress)\r\n"
    "EndProcedure\r\n";

inline const std::string kHead0 =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\"><HTML>\r\n"
    "<BODY BGCOLOR=\"#FFFFDF\" LINK=\"#009999\" VLINK=\"#006666\" ALINK=\"#006666\">\r\n"
    "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">";
inline const std::string kHead1 = "</FONT></B>\r\n";
inline const std::string kTableOpen =
    "<TABLE BORDER=\"1\" BGCOLOR=\"#FFFFEF\" BORDERCOLOR=\"#FFFFCF\" CELLSPACING=\"0\" CELLPADDING=\"10\" "
    "BORDERCOLORLIGHT=\"#FFFFEF\" BORDERCOLORDARK=\"#FFFFAF\"><TR><TD WIDTH=\"100%\"><PRE>"
    "<FONT FACE=\"Courier New, Courier, mono\" SIZE=\"2\">\r\n";
inline const std::string kTableClose = "</PRE></TD></TR></TABLE>\r\n";
inline const std::string kEnd = "</BODY></HTML>\r\n";

// A page's first three lines, its heading carrying the title.
inline std::string head(const std::string& title) { return kHead0 + title + kHead1; }

inline const std::string kSmallPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\"><HTML>\r\n"
    "<BODY BGCOLOR=\"#FFFFDF\" LINK=\"#009999\" VLINK=\"#006666\" ALINK=\"#006666\">\r\n"
    "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">Tips</FONT></B>\r\n"
    "<HR>\r\n"
    " Some useful tips\r\n"
    "</BODY></HTML>\r\n";

// The closing topic of a build at 23/11/13 11:30:02 for the given IDE version text ("5.21").
inline std::string closingPage(const std::string& version) {
  return head("Compilation") + "<HR>\r\n23/11/13 11:30:02\r\n<BR>TailVeld 1.0.0.9\r\n<BR>PureBasic " + version +
         "\r\n" + kEnd;
}

}  // namespace veld::golden
