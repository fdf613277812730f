; -----------------------------------------------------------------------------------------------
;  BriskLib.pbi - everyday helpers for PureBasic programs
;
;  Strings, files and paths, dates, lists and maps, maths and a few GUI helpers, gathered in one
;  module. Include it at the top of a program, before any other include:
;
;    XIncludeFile #PB_Compiler_Home + "veld\BriskLib.pbi"
;    UseModule BriskLib
;
;  The comment lines that start with ;&&& ;/// ;>>> ;<<< ;{+++ and ;} are the documentation of
;  the module: press Ctrl+F12 to build BriskLib.veld from them, and Ctrl+F1 on a procedure name
;  in your own code to read its page.
; -----------------------------------------------------------------------------------------------

;&&&0 Index
;/// <B>BriskLib</B> gathers small procedures that most PureBasic programs end up writing again and again.
;/// Every procedure has its own page in this package: a short description, how to call it, its source
;/// and an example that you can paste into the IDE.
;///
;/// <B>Strings</B><DD>padding, tests, word counts, splitting and joining texts
;/// <B>Files and paths</B><DD>joining paths, changing extensions, reading and writing whole text files
;/// <B>Dates</B><DD>calendar arithmetic, names of days and months, ISO dates, durations
;/// <B>Lists and maps</B><DD>searching, sorting, counting and summing the elements of lists and maps
;/// <B>Maths</B><DD>clamping, rounding, primes, divisors and ranges
;/// <B>GUI helpers</B><DD>requesters, centred windows, gadget lists and HTML colours
;/// <B>Examples</B><DD>three small programs that put the procedures to work
;///
;/// Press <B>Ctrl+F1</B> on the name of a procedure in your own source to open its page directly.
;>>>
;&&&2 Getting started
;/// Include the module once, at the top of your program, then open it with UseModule:
;{+++
;/// The include line must be the first XIncludeFile line of the source, so that Ctrl+F1 finds this package.
; XIncludeFile #PB_Compiler_Home + "veld\BriskLib.pbi"
; UseModule BriskLib
;
; Debug PadLeft("7", 3, "0")          ; 007
; Debug WeekdayName(Date())           ; the name of today
;}
;/// Without UseModule, call every procedure with the module prefix, as in <B>BriskLib::PadLeft("7", 3, "0")</B>.
;&&&2 Conventions
;/// All procedures follow the same few rules, so that you rarely need to look them up:
;/// <DD>- positions in texts count from 1, as in the string commands of PureBasic;
;/// <DD>- positions in lists count from 0, as ListIndex() does;
;/// <DD>- a procedure that can fail returns -1 (numbers) or #False (tests) and never ends the program;
;/// <DD>- folders are written with a backslash at their end, as GetPathPart() returns them;
;/// <DD>- dates are PureBasic dates: seconds counted from 1970-01-01 00:00:00.
;/// Optional parameters are shown between brackets in the usage lines: <B>PadLeft(Text$, Width [, Pad$])</B>.
;&&&2 Version
;/// This is BriskLib 5.21.003, written for PureBasic 5.20 and later (it needs modules).
;/// The constant <B>#BriskLib_Version</B> holds the version as text.
;<<<

DeclareModule BriskLib
  #BriskLib_Version = "5.21.003"

  Declare.s PadLeft(Text$, Width, Pad$ = " ")
  Declare.s PadRight(Text$, Width, Pad$ = " ")
  Declare.s CenterText(Text$, Width, Pad$ = " ")
  Declare.s RepeatText(Text$, Count)
  Declare.i StartsWith(Text$, Prefix$, NoCase = #False)
  Declare.i EndsWith(Text$, Suffix$, NoCase = #False)
  Declare.i ContainsText(Text$, Part$, NoCase = #False)
  Declare.i WordCount(Text$)
  Declare.i FieldCount(Text$, Separator$)
  Declare.s CapitalizeWords(Text$)
  Declare.s CollapseSpaces(Text$)
  Declare.s TruncateText(Text$, MaxLength, Ellipsis$ = "...")
  Declare.i IsNumericText(Text$)
  Declare.s StripChars(Text$, Chars$)
  Declare.s KeepChars(Text$, Allowed$)
  Declare.s QuoteText(Text$)
  Declare.i IsBlank(Text$)
  Declare.s JoinList(List Items.s(), Separator$)
  Declare.i SplitToList(Text$, Separator$, List Items.s())
  Declare.s WithBackslash(Folder$)
  Declare.s JoinPath(Folder$, Name$)
  Declare.s ChangeExtension(Path$, Extension$)
  Declare.s BaseName(Path$)
  Declare.i FileExists(Path$)
  Declare.i FolderExists(Path$)
  Declare.i MakeFolderPath(Path$)
  Declare.s ReadTextFile(Path$)
  Declare.i WriteTextFile(Path$, Text$)
  Declare.i AppendLine(Path$, Line$)
  Declare.i ListFiles(Folder$, Pattern$, List Names.s())
  Declare.s FileSizeText(Bytes.q)
  Declare.s UniqueFileName(Folder$, Prefix$, Extension$)
  Declare.i CountFileLines(Path$)
  Declare.i BackupFile(Path$)
  Declare.s TempFilePath(Name$)
  Declare.i Today()
  Declare.i DaysBetween(FromDate, ToDate)
  Declare.i IsLeapYear(YearNumber)
  Declare.i DaysInMonth(YearNumber, MonthNumber)
  Declare.s WeekdayName(Stamp)
  Declare.s MonthName(MonthNumber)
  Declare.s IsoDate(Stamp)
  Declare.s IsoDateTime(Stamp)
  Declare.i ParseIsoDate(Text$)
  Declare.i AddWorkdays(Stamp, Days)
  Declare.i StartOfMonth(Stamp)
  Declare.i EndOfMonth(Stamp)
  Declare.i AgeInYears(Birth, Stamp)
  Declare.s DurationText(Seconds)
  Declare.i ListIndexOf(List Items.s(), Value$, NoCase = #False)
  Declare.i ListContains(List Items.s(), Value$, NoCase = #False)
  Declare.i RemoveDuplicates(List Items.s())
  Declare ReverseList(List Items.s())
  Declare SortStrings(List Items.s(), Descending = #False, NoCase = #True)
  Declare.i CountItems(List Items.s(), Map Counts.i())
  Declare.i MapKeysToList(Map Table.s(), List Keys.s())
  Declare.s MapValueOr(Map Table.s(), Key$, Default$)
  Declare.d SumList(List Values.d())
  Declare.d AverageList(List Values.d())
  Declare.d LargestValue(List Values.d(), Fallback.d = 0)
  Declare.i ClampInt(Value, Low, High)
  Declare.d ClampDouble(Value.d, Low.d, High.d)
  Declare.i MinInt(ValueA, ValueB)
  Declare.i MaxInt(ValueA, ValueB)
  Declare.d RoundTo(Value.d, Decimals)
  Declare.i IsPrime(Number)
  Declare.i GreatestDivisor(ValueA, ValueB)
  Declare.i LeastMultiple(ValueA, ValueB)
  Declare.i RandomBetween(Low, High)
  Declare.d Percent(Part.d, Whole.d)
  Declare.d Interpolate(From.d, Target.d, Amount.d)
  Declare.q Factorial(Number)
  Declare.i IsEven(Number)
  Declare.d MapRange(Value.d, FromLow.d, FromHigh.d, ToLow.d, ToHigh.d)
  Declare CenterWindow(Window)
  Declare.i AskYesNo(Title$, Question$)
  Declare ShowInfo(Title$, Text$)
  Declare.s AskText(Title$, Prompt$, Default$ = "")
  Declare FillGadget(Gadget, List Items.s())
  Declare.i GadgetToList(Gadget, List Items.s())
  Declare EnableGadget(Gadget, Enabled)
  Declare.s ColorToHtml(Color)
  Declare.i HtmlToColor(Text$)
  Declare.i BlendColors(ColorA, ColorB, Amount.d)
EndDeclareModule

Module BriskLib
  EnableExplicit

;&&&0 Strings
;/// Procedures that measure, test, pad, cut and rebuild texts.
;/// None of them changes the text you pass: each returns a new one.
;>>>
;&&&2 About texts
;/// PureBasic passes strings to procedures by value, so a procedure may change its own copy freely.
;/// That is why <B>PadLeft(Name$, 10)</B> leaves Name$ as it was: assign the result to keep it.
;{+++
; Name$ = "Ann"
; PadLeft(Name$, 10)                  ; Name$ is still "Ann"
; Name$ = PadLeft(Name$, 10)          ; now Name$ is "       Ann"
;}*
;/// Tests that can ignore letter case take a last parameter <B>NoCase</B>; they compare the texts after LCase().

;&&&1 PadLeft
;/// Returns the text filled on the left with <B>Pad$</B> until it is <B>Width</B> characters long.
;/// A text that is already as long as Width, or longer, comes back unchanged.
;/// Pad$ may hold several characters; it is repeated and cut to fit. An empty Pad$ counts as a blank.
;/// Usage :<BR><DD><B>Result$ = PadLeft(Text$, Width [, Pad$])</B>
Procedure.s PadLeft(Text$, Width, Pad$ = " ") ;+++
  Protected Fill$
  If Len(Text$) >= Width
    ProcedureReturn Text$
  EndIf
  If Pad$ = "" : Pad$ = " " : EndIf
  While Len(Fill$) + Len(Text$) < Width
    Fill$ + Pad$
  Wend
  ProcedureReturn Left(Fill$, Width - Len(Text$)) + Text$
EndProcedure
;{+++
;/// Example :
; Debug PadLeft("42", 5, "0")       ; 00042
; Debug PadLeft("right", 8)         ; "   right"
;}*

;&&&1 PadRight
;/// Returns the text filled on the right with <B>Pad$</B> until it is <B>Width</B> characters long.
;/// A text that is already as long as Width, or longer, comes back unchanged.
;/// Usage :<BR><DD><B>Result$ = PadRight(Text$, Width [, Pad$])</B>
Procedure.s PadRight(Text$, Width, Pad$ = " ") ;+++
  Protected Fill$
  If Len(Text$) >= Width
    ProcedureReturn Text$
  EndIf
  If Pad$ = "" : Pad$ = " " : EndIf
  While Len(Fill$) + Len(Text$) < Width
    Fill$ + Pad$
  Wend
  ProcedureReturn Text$ + Left(Fill$, Width - Len(Text$))
EndProcedure
;{+++
;/// Example : a small table in the debug window
; Debug PadRight("Apples", 10, ".") + PadLeft("3", 4)
; Debug PadRight("Pears", 10, ".") + PadLeft("12", 4)
;}

;&&&1 CenterText
;/// Returns the text centred in a field of <B>Width</B> characters.
;/// When the free room is odd, the extra character goes to the right.
;/// Usage :<BR><DD><B>Result$ = CenterText(Text$, Width [, Pad$])</B>
Procedure.s CenterText(Text$, Width, Pad$ = " ") ;+++
  Protected Room = Width - Len(Text$)
  If Room <= 0
    ProcedureReturn Text$
  EndIf
  ProcedureReturn PadRight(PadLeft(Text$, Len(Text$) + Room / 2, Pad$), Width, Pad$)
EndProcedure
;{+++
;/// Example :
; Debug "[" + CenterText("menu", 10) + "]"      ; [   menu   ]
; Debug CenterText(" Title ", 21, "=")          ; ======= Title =======
;}*

;&&&1 RepeatText
;/// Returns the text repeated <B>Count</B> times; a Count of 0 or less gives an empty text.
;/// Usage :<BR><DD><B>Result$ = RepeatText(Text$, Count)</B>
Procedure.s RepeatText(Text$, Count) ;+++
  Protected Result$, i
  For i = 1 To Count
    Result$ + Text$
  Next
  ProcedureReturn Result$
EndProcedure
;{+++
;/// Example :
; Debug RepeatText("-=", 10)          ; -=-=-=-=-=-=-=-=-=-=
;}*

;&&&1 StartsWith
;/// Tells whether the text begins with <B>Prefix$</B>. With <B>NoCase</B> set to #True, letter case is ignored.
;/// Every text starts with the empty text.
;/// Usage :<BR><DD><B>Result = StartsWith(Text$, Prefix$ [, NoCase])</B>
Procedure.i StartsWith(Text$, Prefix$, NoCase = #False) ;+++
  If NoCase
    ProcedureReturn Bool(LCase(Left(Text$, Len(Prefix$))) = LCase(Prefix$))
  EndIf
  ProcedureReturn Bool(Left(Text$, Len(Prefix$)) = Prefix$)
EndProcedure
;{+++
;/// Example :
; Debug StartsWith("PureBasic", "Pure")             ; 1
; Debug StartsWith("PureBasic", "pure")             ; 0
; Debug StartsWith("PureBasic", "pure", #True)      ; 1
;}*

;&&&1 EndsWith
;/// Tells whether the text ends with <B>Suffix$</B>. With <B>NoCase</B> set to #True, letter case is ignored.
;/// Usage :<BR><DD><B>Result = EndsWith(Text$, Suffix$ [, NoCase])</B>
Procedure.i EndsWith(Text$, Suffix$, NoCase = #False) ;+++
  If NoCase
    ProcedureReturn Bool(LCase(Right(Text$, Len(Suffix$))) = LCase(Suffix$))
  EndIf
  ProcedureReturn Bool(Right(Text$, Len(Suffix$)) = Suffix$)
EndProcedure
;{+++
;/// Example : keep only the sources of a folder listing
; If EndsWith(Name$, ".pb", #True) Or EndsWith(Name$, ".pbi", #True)
;   Debug Name$
; EndIf
;}

;&&&1 ContainsText
;/// Tells whether <B>Part$</B> occurs anywhere in the text. With <B>NoCase</B> set to #True, letter case is ignored.
;/// The empty text is contained in every text.
;/// Usage :<BR><DD><B>Result = ContainsText(Text$, Part$ [, NoCase])</B>
Procedure.i ContainsText(Text$, Part$, NoCase = #False) ;+++
  If Part$ = ""
    ProcedureReturn #True
  EndIf
  If NoCase
    ProcedureReturn Bool(FindString(LCase(Text$), LCase(Part$), 1) > 0)
  EndIf
  ProcedureReturn Bool(FindString(Text$, Part$, 1) > 0)
EndProcedure
;{+++
;/// Example :
; Debug ContainsText("Hello World", "o W")           ; 1
; Debug ContainsText("Hello World", "WORLD", #True)  ; 1
;}*

;&&&1 WordCount
;/// Counts the words of a text. A word is a run of characters without blanks, tabs or line breaks.
;/// Usage :<BR><DD><B>Count = WordCount(Text$)</B>
Procedure.i WordCount(Text$) ;+++
  Protected i, Count, InWord, c$
  For i = 1 To Len(Text$)
    c$ = Mid(Text$, i, 1)
    If c$ = " " Or c$ = Chr(9) Or c$ = Chr(10) Or c$ = Chr(13)
      InWord = #False
    ElseIf Not InWord
      InWord = #True
      Count + 1
    EndIf
  Next
  ProcedureReturn Count
EndProcedure
;{+++
;/// Example :
; Debug WordCount("  one two   three ")     ; 3
; Debug WordCount("")                       ; 0
;}*

;&&&1 FieldCount
;/// Counts the fields of a text cut at <B>Separator$</B>, as StringField() numbers them.
;/// The empty text has no field; a text without separator has one.
;/// Usage :<BR><DD><B>Count = FieldCount(Text$, Separator$)</B>
Procedure.i FieldCount(Text$, Separator$) ;+++
  If Text$ = ""
    ProcedureReturn 0
  EndIf
  If Separator$ = ""
    ProcedureReturn 1
  EndIf
  ProcedureReturn CountString(Text$, Separator$) + 1
EndProcedure
;{+++
;/// Example : walk through the fields of a line
; Line$ = "red,green,blue"
; For i = 1 To FieldCount(Line$, ",")
;   Debug StringField(Line$, i, ",")
; Next
;}

;&&&1 CapitalizeWords
;/// Returns the text with the first letter of every word in upper case and the other letters in lower case.
;/// Words begin after a blank, a tab or a hyphen.
;/// Usage :<BR><DD><B>Result$ = CapitalizeWords(Text$)</B>
Procedure.s CapitalizeWords(Text$) ;+++
  Protected i, c$, Result$
  Protected AtStart = #True
  For i = 1 To Len(Text$)
    c$ = Mid(Text$, i, 1)
    If AtStart
      Result$ + UCase(c$)
    Else
      Result$ + LCase(c$)
    EndIf
    AtStart = Bool(c$ = " " Or c$ = Chr(9) Or c$ = "-")
  Next
  ProcedureReturn Result$
EndProcedure
;{+++
;/// Example :
; Debug CapitalizeWords("jean-paul SMITH")     ; Jean-Paul Smith
;}*

;&&&1 CollapseSpaces
;/// Returns the text without blanks at its ends and with every run of blanks inside it reduced to one blank.
;/// Usage :<BR><DD><B>Result$ = CollapseSpaces(Text$)</B>
Procedure.s CollapseSpaces(Text$) ;+++
  Protected Result$ = Trim(Text$)
  While FindString(Result$, "  ", 1)
    Result$ = ReplaceString(Result$, "  ", " ")
  Wend
  ProcedureReturn Result$
EndProcedure
;{+++
;/// Example :
; Debug "[" + CollapseSpaces("   too    many   blanks ") + "]"    ; [too many blanks]
;}*

;&&&1 TruncateText
;/// Shortens a text to at most <B>MaxLength</B> characters. A text that was cut ends with <B>Ellipsis$</B>
;/// ("..." unless you give another), which counts in MaxLength.
;/// Usage :<BR><DD><B>Result$ = TruncateText(Text$, MaxLength [, Ellipsis$])</B>
Procedure.s TruncateText(Text$, MaxLength, Ellipsis$ = "...") ;+++
  If MaxLength < 0 : MaxLength = 0 : EndIf
  If Len(Text$) <= MaxLength
    ProcedureReturn Text$
  EndIf
  If MaxLength <= Len(Ellipsis$)
    ProcedureReturn Left(Ellipsis$, MaxLength)
  EndIf
  ProcedureReturn Left(Text$, MaxLength - Len(Ellipsis$)) + Ellipsis$
EndProcedure
;{+++
;/// Example : a title that fits a status bar field
; Debug TruncateText("C:\Projects\Accounting\Invoices 2013.pb", 20)   ; C:\Projects\Accou...
;}*

;&&&1 IsNumericText
;/// Tells whether the text is a plain decimal number: an optional sign, digits and at most one dot.
;/// Blanks around the number are allowed; "1e5", "$FF" and the empty text are not numbers here.
;/// Usage :<BR><DD><B>Result = IsNumericText(Text$)</B>
Procedure.i IsNumericText(Text$) ;+++
  Protected i, Digits, Dots
  Text$ = Trim(Text$)
  If Left(Text$, 1) = "-" Or Left(Text$, 1) = "+"
    Text$ = Mid(Text$, 2)
  EndIf
  For i = 1 To Len(Text$)
    Select Asc(Mid(Text$, i, 1))
      Case '0' To '9'
        Digits + 1
      Case '.'
        Dots + 1
      Default
        ProcedureReturn #False
    EndSelect
  Next
  ProcedureReturn Bool(Digits > 0 And Dots <= 1)
EndProcedure
;{+++
;/// Example : check what the user typed before using it
; Input$ = InputRequester("Price", "Enter a price:", "")
; If IsNumericText(Input$)
;   Price.d = ValD(Input$)
; Else
;   MessageRequester("Price", Input$ + " is not a number")
; EndIf
;}

;&&&1 StripChars
;/// Returns the text without any of the characters listed in <B>Chars$</B>.
;/// Usage :<BR><DD><B>Result$ = StripChars(Text$, Chars$)</B>
Procedure.s StripChars(Text$, Chars$) ;+++
  Protected i
  For i = 1 To Len(Chars$)
    Text$ = RemoveString(Text$, Mid(Chars$, i, 1))
  Next
  ProcedureReturn Text$
EndProcedure
;{+++
;/// Example :
; Debug StripChars("(555) 123-4567", "()- ")    ; 5551234567
;}*

;&&&1 KeepChars
;/// Returns only the characters of the text that appear in <B>Allowed$</B>, in their order.
;/// Usage :<BR><DD><B>Result$ = KeepChars(Text$, Allowed$)</B>
Procedure.s KeepChars(Text$, Allowed$) ;+++
  Protected i, c$, Result$
  For i = 1 To Len(Text$)
    c$ = Mid(Text$, i, 1)
    If FindString(Allowed$, c$, 1)
      Result$ + c$
    EndIf
  Next
  ProcedureReturn Result$
EndProcedure
;{+++
;/// Example :
; Debug KeepChars("Order #A-1042 (urgent)", "0123456789")    ; 1042
;}*

;&&&1 QuoteText
;/// Returns the text between double quotes, ready for a command line: a path with blanks stays one argument.
;/// Usage :<BR><DD><B>Result$ = QuoteText(Text$)</B>
Procedure.s QuoteText(Text$) ;+++
  ProcedureReturn Chr(34) + Text$ + Chr(34)
EndProcedure
;{+++
;/// Example :
; RunProgram("notepad.exe", QuoteText("C:\My Documents\read me.txt"), "")
;}

;&&&1 IsBlank
;/// Tells whether the text is empty or holds nothing but blanks, tabs and line breaks.
;/// Usage :<BR><DD><B>Result = IsBlank(Text$)</B>
Procedure.i IsBlank(Text$) ;+++
  Protected i, c$
  For i = 1 To Len(Text$)
    c$ = Mid(Text$, i, 1)
    If c$ <> " " And c$ <> Chr(9) And c$ <> Chr(10) And c$ <> Chr(13)
      ProcedureReturn #False
    EndIf
  Next
  ProcedureReturn #True
EndProcedure
;{+++
;/// Example :
; If IsBlank(GetGadgetText(#NameField))
;   MessageRequester("Form", "Please enter a name.")
; EndIf
;}

;&&&1 JoinList
;/// Returns the elements of a string list joined into one text, with <B>Separator$</B> between them.
;/// The current element of the list is not kept.
;/// Usage :<BR><DD><B>Result$ = JoinList(Items$(), Separator$)</B>
Procedure.s JoinList(List Items.s(), Separator$) ;+++
  Protected Result$
  Protected IsFirst = #True
  ForEach Items()
    If Not IsFirst
      Result$ + Separator$
    EndIf
    Result$ + Items()
    IsFirst = #False
  Next
  ProcedureReturn Result$
EndProcedure
;{+++
;/// Example :
; NewList Colours.s()
; AddElement(Colours()) : Colours() = "red"
; AddElement(Colours()) : Colours() = "green"
; Debug JoinList(Colours(), ", ")          ; red, green
;}

;&&&1 SplitToList
;/// Cuts the text at every <B>Separator$</B> and puts the pieces into the list, which is cleared first.
;/// Returns the number of pieces. The empty text gives no piece; empty pieces between two separators are kept.
;/// Usage :<BR><DD><B>Count = SplitToList(Text$, Separator$, Items$())</B>
Procedure.i SplitToList(Text$, Separator$, List Items.s()) ;+++
  Protected i, Count
  ClearList(Items())
  Count = FieldCount(Text$, Separator$)
  If Separator$ = "" And Count = 1
    AddElement(Items())
    Items() = Text$
    ProcedureReturn 1
  EndIf
  For i = 1 To Count
    AddElement(Items())
    Items() = StringField(Text$, i, Separator$)
  Next
  ProcedureReturn Count
EndProcedure
;{+++
;/// Example : the words of a sentence, one per line
; NewList Words.s()
; SplitToList("the quick brown fox", " ", Words())
; ForEach Words()
;   Debug Words()
; Next
;}
;<<<

;&&&0 Files and paths
;/// Procedures that build paths and read, write and list files.
;/// Paths are texts: these procedures never check that a path exists unless their name says so.
;>>>
;&&&2 Folders end with a backslash
;/// A folder path in BriskLib ends with a backslash, as <B>GetPathPart()</B> and
;/// <B>GetTemporaryDirectory()</B> return it, so a file name can simply be appended.
;/// <B>WithBackslash()</B> adds the missing backslash and <B>JoinPath()</B> does both steps at once.
;{+++
; Folder$ = WithBackslash("C:\Data")        ; C:\Data\
; Path$ = Folder$ + "notes.txt"             ; C:\Data\notes.txt
; Path$ = JoinPath("C:\Data", "notes.txt")  ; the same
;}*

;&&&1 WithBackslash
;/// Returns the folder path with a backslash at its end; a path that already ends with "\" or "/" is kept.
;/// The empty text stays empty, so that a relative name is not turned into a root path.
;/// Usage :<BR><DD><B>Result$ = WithBackslash(Folder$)</B>
Procedure.s WithBackslash(Folder$) ;+++
  If Folder$ <> "" And Right(Folder$, 1) <> "\" And Right(Folder$, 1) <> "/"
    Folder$ + "\"
  EndIf
  ProcedureReturn Folder$
EndProcedure
;{+++
;/// Example :
; Debug WithBackslash("C:\Temp")      ; C:\Temp\
; Debug WithBackslash("C:\Temp\")     ; C:\Temp\
;}*

;&&&1 JoinPath
;/// Returns the path of <B>Name$</B> inside <B>Folder$</B>, with exactly one backslash between them.
;/// Usage :<BR><DD><B>Result$ = JoinPath(Folder$, Name$)</B>
Procedure.s JoinPath(Folder$, Name$) ;+++
  While Left(Name$, 1) = "\" Or Left(Name$, 1) = "/"
    Name$ = Mid(Name$, 2)
  Wend
  ProcedureReturn WithBackslash(Folder$) + Name$
EndProcedure
;{+++
;/// Example :
; Debug JoinPath(GetTemporaryDirectory(), "report.txt")
; Debug JoinPath("C:\Data\", "\archive\2013.zip")     ; C:\Data\archive\2013.zip
;}*

;&&&1 ChangeExtension
;/// Returns the path with its extension replaced by <B>Extension$</B> (with or without its dot).
;/// An empty Extension$ removes the extension; a path without extension receives the new one.
;/// Usage :<BR><DD><B>Result$ = ChangeExtension(Path$, Extension$)</B>
Procedure.s ChangeExtension(Path$, Extension$) ;+++
  Protected Old$ = GetExtensionPart(Path$)
  If Old$ <> ""
    Path$ = Left(Path$, Len(Path$) - Len(Old$) - 1)
  EndIf
  If Extension$ <> "" And Left(Extension$, 1) <> "."
    Extension$ = "." + Extension$
  EndIf
  ProcedureReturn Path$ + Extension$
EndProcedure
;{+++
;/// Example :
; Debug ChangeExtension("C:\Src\main.pb", "exe")      ; C:\Src\main.exe
; Debug ChangeExtension("C:\Src\main.pb", "")         ; C:\Src\main
;}*

;&&&1 BaseName
;/// Returns the file name of a path without its folder and without its extension.
;/// Usage :<BR><DD><B>Result$ = BaseName(Path$)</B>
Procedure.s BaseName(Path$) ;+++
  Protected Name$ = GetFilePart(Path$)
  Protected Ext$ = GetExtensionPart(Name$)
  If Ext$ <> ""
    Name$ = Left(Name$, Len(Name$) - Len(Ext$) - 1)
  EndIf
  ProcedureReturn Name$
EndProcedure
;{+++
;/// Example :
; Debug BaseName("C:\Music\Best of 1999.mp3")     ; Best of 1999
;}*

;&&&1 FileExists
;/// Tells whether a file exists at the path. A folder is not a file here; see FolderExists.
;/// Usage :<BR><DD><B>Result = FileExists(Path$)</B>
Procedure.i FileExists(Path$) ;+++
  ProcedureReturn Bool(FileSize(Path$) >= 0)
EndProcedure
;{+++
;/// Example :
; If FileExists("settings.ini") = #False
;   CreatePreferences("settings.ini")
;   ClosePreferences()
; EndIf
;}

;&&&1 FolderExists
;/// Tells whether a folder exists at the path.
;/// Usage :<BR><DD><B>Result = FolderExists(Path$)</B>
Procedure.i FolderExists(Path$) ;+++
  ProcedureReturn Bool(FileSize(Path$) = -2)
EndProcedure
;{+++
;/// Example :
; Debug FolderExists(GetTemporaryDirectory())    ; 1
;}*

;&&&1 MakeFolderPath
;/// Creates a folder and every missing folder above it, as "mkdir -p" does. Returns #True when the folder
;/// exists afterwards, also when it existed before.
;/// Usage :<BR><DD><B>Result = MakeFolderPath(Path$)</B>
Procedure.i MakeFolderPath(Path$) ;+++
  Protected i, Count, Part$, Built$
  Path$ = ReplaceString(Path$, "/", "\")
  While Len(Path$) > 1 And Right(Path$, 1) = "\"
    Path$ = Left(Path$, Len(Path$) - 1)
  Wend
  Count = CountString(Path$, "\") + 1
  For i = 1 To Count
    Part$ = StringField(Path$, i, "\")
    Built$ + Part$
    ;/// Drive names such as "C:" and the empty parts of a network path are not created.
    If Part$ <> "" And Right(Part$, 1) <> ":" And FileSize(Built$) <> -2
      CreateDirectory(Built$)
    EndIf
    Built$ + "\"
  Next
  ProcedureReturn Bool(FileSize(Path$) = -2)
EndProcedure
;{+++
;/// Example :
; If MakeFolderPath(GetHomeDirectory() + "MyTool\Cache\Images")
;   Debug "ready"
; EndIf
;}

;&&&1 ReadTextFile
;/// Reads a whole text file into one text, every line ended by CR LF. Returns the empty text when the file
;/// cannot be read; use FileExists first to tell an empty file from a missing one.
;/// Usage :<BR><DD><B>Text$ = ReadTextFile(Path$)</B>
Procedure.s ReadTextFile(Path$) ;+++
  Protected File, Text$
  File = ReadFile(#PB_Any, Path$)
  If File = 0
    ProcedureReturn ""
  EndIf
  While Eof(File) = 0
    Text$ + ReadString(File) + #CRLF$
  Wend
  CloseFile(File)
  ProcedureReturn Text$
EndProcedure
;{+++
;/// Example :
; Text$ = ReadTextFile("readme.txt")
; Debug Str(WordCount(Text$)) + " words"
;}

;&&&1 WriteTextFile
;/// Writes the text as the whole content of a file, replacing the file when it exists.
;/// Returns #True when the file could be created.
;/// Usage :<BR><DD><B>Result = WriteTextFile(Path$, Text$)</B>
Procedure.i WriteTextFile(Path$, Text$) ;+++
  Protected File = CreateFile(#PB_Any, Path$)
  If File = 0
    ProcedureReturn #False
  EndIf
  WriteString(File, Text$)
  CloseFile(File)
  ProcedureReturn #True
EndProcedure
;{+++
;/// Example :
; If WriteTextFile(TempFilePath("hello.txt"), "Hello" + #CRLF$) = #False
;   Debug "cannot write"
; EndIf
;}

;&&&1 AppendLine
;/// Adds one line at the end of a text file, creating the file when it does not exist yet.
;/// Handy for simple log files. Returns #True when the line was written.
;/// Usage :<BR><DD><B>Result = AppendLine(Path$, Line$)</B>
Procedure.i AppendLine(Path$, Line$) ;+++
  Protected File = OpenFile(#PB_Any, Path$)
  If File = 0
    ProcedureReturn #False
  EndIf
  FileSeek(File, Lof(File))
  WriteStringN(File, Line$)
  CloseFile(File)
  ProcedureReturn #True
EndProcedure
;{+++
;/// Example : a log line with the time
; AppendLine("tool.log", IsoDateTime(Date()) + "  started")
;}

;&&&1 ListFiles
;/// Puts the names of the files of a folder that match <B>Pattern$</B> (such as "*.pb") into the list,
;/// which is cleared first. Sub-folders are not listed. Returns the number of names.
;/// Usage :<BR><DD><B>Count = ListFiles(Folder$, Pattern$, Names$())</B>
Procedure.i ListFiles(Folder$, Pattern$, List Names.s()) ;+++
  Protected Dir, Count
  ClearList(Names())
  Dir = ExamineDirectory(#PB_Any, Folder$, Pattern$)
  If Dir
    While NextDirectoryEntry(Dir)
      If DirectoryEntryType(Dir) = #PB_DirectoryEntry_File
        AddElement(Names())
        Names() = DirectoryEntryName(Dir)
        Count + 1
      EndIf
    Wend
    FinishDirectory(Dir)
  EndIf
  ProcedureReturn Count
EndProcedure
;{+++
;/// Example : every include file of the compiler's folder
; NewList Includes.s()
; ListFiles(#PB_Compiler_Home + "veld\", "*.pbi", Includes())
; ForEach Includes()
;   Debug Includes()
; Next
;}

;&&&1 FileSizeText
;/// Returns a size in bytes as a short text for people: bytes, KB, MB or GB with one decimal.
;/// Usage :<BR><DD><B>Result$ = FileSizeText(Bytes)</B>
Procedure.s FileSizeText(Bytes.q) ;+++
  If Bytes < 1024
    ProcedureReturn Str(Bytes) + " bytes"
  ElseIf Bytes < 1048576
    ProcedureReturn StrD(Bytes / 1024.0, 1) + " KB"
  ElseIf Bytes < 1073741824
    ProcedureReturn StrD(Bytes / 1048576.0, 1) + " MB"
  EndIf
  ProcedureReturn StrD(Bytes / 1073741824.0, 1) + " GB"
EndProcedure
;{+++
;/// Example :
; Debug FileSizeText(512)            ; 512 bytes
; Debug FileSizeText(1536)           ; 1.5 KB
; Debug FileSizeText(FileSize(ProgramFilename()))
;}*

;&&&1 UniqueFileName
;/// Returns a path in <B>Folder$</B> where no file exists yet, made of <B>Prefix$</B>, a number from 1 upward
;/// and <B>Extension$</B> (give it with its dot).
;/// Usage :<BR><DD><B>Path$ = UniqueFileName(Folder$, Prefix$, Extension$)</B>
Procedure.s UniqueFileName(Folder$, Prefix$, Extension$) ;+++
  Protected Number, Path$
  Repeat
    Number + 1
    Path$ = JoinPath(Folder$, Prefix$ + Str(Number) + Extension$)
  Until FileSize(Path$) = -1
  ProcedureReturn Path$
EndProcedure
;{+++
;/// Example : a screenshot that never overwrites an earlier one
; Path$ = UniqueFileName(GetHomeDirectory(), "shot", ".bmp")
; Debug Path$
;}

;&&&1 CountFileLines
;/// Counts the lines of a text file; -1 when the file cannot be read.
;/// Usage :<BR><DD><B>Count = CountFileLines(Path$)</B>
Procedure.i CountFileLines(Path$) ;+++
  Protected File, Count
  File = ReadFile(#PB_Any, Path$)
  If File = 0
    ProcedureReturn -1
  EndIf
  While Eof(File) = 0
    ReadString(File)
    Count + 1
  Wend
  CloseFile(File)
  ProcedureReturn Count
EndProcedure
;{+++
;/// Example : how long is this very source?
; Debug CountFileLines(#PB_Compiler_File)
;}*

;&&&1 BackupFile
;/// Copies a file to the same path followed by ".bak", replacing an older backup.
;/// Returns #True when the copy was made.
;/// Usage :<BR><DD><B>Result = BackupFile(Path$)</B>
Procedure.i BackupFile(Path$) ;+++
  If FileSize(Path$) < 0
    ProcedureReturn #False
  EndIf
  ProcedureReturn Bool(CopyFile(Path$, Path$ + ".bak") <> 0)
EndProcedure
;{+++
;/// Example : keep the previous settings before saving new ones
; BackupFile("settings.ini")
; WriteTextFile("settings.ini", NewSettings$)
;}

;&&&1 TempFilePath
;/// Returns the path of a file of that name in the temporary folder of the user.
;/// Usage :<BR><DD><B>Path$ = TempFilePath(Name$)</B>
Procedure.s TempFilePath(Name$) ;+++
  ProcedureReturn JoinPath(GetTemporaryDirectory(), Name$)
EndProcedure
;{+++
;/// Example :
; Debug TempFilePath("download.part")
;}*
;<<<

;&&&0 Dates
;/// Calendar arithmetic on PureBasic dates, names of days and months, and dates as texts.
;>>>
;&&&2 What a date is
;/// A PureBasic date is a number of seconds counted from 1970-01-01 00:00:00. The Date library covers
;/// the years 1970 to 2037; its commands return -1 for a date they cannot express.
;/// One day is 86400 seconds, so two dates at midnight can be compared and subtracted directly.
;{+++
; Start = Date(2013, 11, 1, 0, 0, 0)
; Debug (Today() - Start) / 86400       ; days since the first of November 2013
;}*
;/// BriskLib takes dates as <B>Stamp</B> parameters and returns them as integers.

;&&&1 Today
;/// Returns the current date at midnight: today's date without the time of day.
;/// Usage :<BR><DD><B>Stamp = Today()</B>
Procedure.i Today() ;+++
  Protected Now = Date()
  ProcedureReturn Date(Year(Now), Month(Now), Day(Now), 0, 0, 0)
EndProcedure
;{+++
;/// Example :
; Debug IsoDateTime(Today())         ; such as 2013-11-23 00:00:00
;}*

;&&&1 DaysBetween
;/// Counts the calendar days from <B>FromDate</B> to <B>ToDate</B>; the time of day does not count.
;/// The result is negative when ToDate comes before FromDate.
;/// Usage :<BR><DD><B>Days = DaysBetween(FromDate, ToDate)</B>
Procedure.i DaysBetween(FromDate, ToDate) ;+++
  Protected FromDay = Date(Year(FromDate), Month(FromDate), Day(FromDate), 0, 0, 0)
  Protected ToDay = Date(Year(ToDate), Month(ToDate), Day(ToDate), 0, 0, 0)
  ProcedureReturn (ToDay - FromDay) / 86400
EndProcedure
;{+++
;/// Example : days left until the end of the year
; Debug DaysBetween(Date(), Date(Year(Date()), 12, 31, 0, 0, 0))
;}

;&&&1 IsLeapYear
;/// Tells whether a year of the Gregorian calendar has 366 days.
;/// Usage :<BR><DD><B>Result = IsLeapYear(YearNumber)</B>
Procedure.i IsLeapYear(YearNumber) ;+++
  ProcedureReturn Bool((YearNumber % 4 = 0 And YearNumber % 100 <> 0) Or YearNumber % 400 = 0)
EndProcedure
;{+++
;/// Example :
; Debug IsLeapYear(2000)     ; 1
; Debug IsLeapYear(2100)     ; 0
; Debug IsLeapYear(2012)     ; 1
;}*

;&&&1 DaysInMonth
;/// Returns the number of days of a month (1 to 12) in a year; 0 for a month number out of range.
;/// Usage :<BR><DD><B>Days = DaysInMonth(YearNumber, MonthNumber)</B>
Procedure.i DaysInMonth(YearNumber, MonthNumber) ;+++
  Select MonthNumber
    Case 1, 3, 5, 7, 8, 10, 12
      ProcedureReturn 31
    Case 4, 6, 9, 11
      ProcedureReturn 30
    Case 2
      If IsLeapYear(YearNumber)
        ProcedureReturn 29
      EndIf
      ProcedureReturn 28
  EndSelect
  ProcedureReturn 0
EndProcedure
;{+++
;/// Example :
; Debug DaysInMonth(2012, 2)     ; 29
; Debug DaysInMonth(2013, 2)     ; 28
;}*

;&&&1 WeekdayName
;/// Returns the English name of the day of the week of a date, from "Sunday" to "Saturday".
;/// Usage :<BR><DD><B>Name$ = WeekdayName(Stamp)</B>
Procedure.s WeekdayName(Stamp) ;+++
  Protected Weekday = DayOfWeek(Stamp)
  If Weekday < 0
    ProcedureReturn ""
  EndIf
  ProcedureReturn StringField("Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday", Weekday + 1, ",")
EndProcedure
;{+++
;/// Example :
; Debug WeekdayName(Date(2013, 11, 23, 0, 0, 0))     ; Saturday
;}*

;&&&1 MonthName
;/// Returns the English name of a month number from 1 to 12; the empty text for other numbers.
;/// Usage :<BR><DD><B>Name$ = MonthName(MonthNumber)</B>
Procedure.s MonthName(MonthNumber) ;+++
  If MonthNumber < 1 Or MonthNumber > 12
    ProcedureReturn ""
  EndIf
  ProcedureReturn StringField("January,February,March,April,May,June,July,August,September,October,November,December", MonthNumber, ",")
EndProcedure
;{+++
;/// Example : a long date
; Now = Date()
; Debug WeekdayName(Now) + " " + Str(Day(Now)) + " " + MonthName(Month(Now)) + " " + Str(Year(Now))
;}

;&&&1 IsoDate
;/// Returns a date as year-month-day with four and two digits, as "2013-11-23". Texts in this form sort
;/// in the order of their dates.
;/// Usage :<BR><DD><B>Text$ = IsoDate(Stamp)</B>
Procedure.s IsoDate(Stamp) ;+++
  ProcedureReturn FormatDate("%yyyy-%mm-%dd", Stamp)
EndProcedure
;{+++
;/// Example : a dated file name
; Debug "backup-" + IsoDate(Date()) + ".zip"
;}*

;&&&1 IsoDateTime
;/// Returns a date with its time, as "2013-11-23 11:30:02".
;/// Usage :<BR><DD><B>Text$ = IsoDateTime(Stamp)</B>
Procedure.s IsoDateTime(Stamp) ;+++
  ProcedureReturn FormatDate("%yyyy-%mm-%dd %hh:%ii:%ss", Stamp)
EndProcedure
;{+++
;/// Example :
; Debug IsoDateTime(Date())
;}*

;&&&1 ParseIsoDate
;/// Reads a date written as year-month-day ("2013-11-23"); anything after the tenth character is ignored.
;/// Returns -1 when the text is no such date.
;/// Usage :<BR><DD><B>Stamp = ParseIsoDate(Text$)</B>
Procedure.i ParseIsoDate(Text$) ;+++
  ProcedureReturn ParseDate("%yyyy-%mm-%dd", Left(Trim(Text$), 10))
EndProcedure
;{+++
;/// Example :
; Stamp = ParseIsoDate("2013-11-23")
; If Stamp <> -1
;   Debug WeekdayName(Stamp)
; EndIf
;}

;&&&1 AddWorkdays
;/// Moves a date by a number of working days, skipping Saturdays and Sundays. A negative number moves back.
;/// Holidays are not known to BriskLib.
;/// Usage :<BR><DD><B>Stamp = AddWorkdays(Stamp, Days)</B>
Procedure.i AddWorkdays(Stamp, Days) ;+++
  Protected Direction = 1
  Protected Weekday
  If Days < 0
    Direction = -1
    Days = -Days
  EndIf
  While Days > 0
    Stamp = AddDate(Stamp, #PB_Date_Day, Direction)
    Weekday = DayOfWeek(Stamp)
    If Weekday <> 0 And Weekday <> 6
      Days - 1
    EndIf
  Wend
  ProcedureReturn Stamp
EndProcedure
;{+++
;/// Example : an invoice due in ten working days
; Debug IsoDate(AddWorkdays(Today(), 10))
;}*

;&&&1 StartOfMonth
;/// Returns midnight of the first day of the month of a date.
;/// Usage :<BR><DD><B>Stamp = StartOfMonth(Stamp)</B>
Procedure.i StartOfMonth(Stamp) ;+++
  ProcedureReturn Date(Year(Stamp), Month(Stamp), 1, 0, 0, 0)
EndProcedure
;{+++
;/// Example :
; Debug IsoDate(StartOfMonth(Date()))
;}*

;&&&1 EndOfMonth
;/// Returns the last second of the last day of the month of a date.
;/// Usage :<BR><DD><B>Stamp = EndOfMonth(Stamp)</B>
Procedure.i EndOfMonth(Stamp) ;+++
  Protected YearNumber = Year(Stamp)
  Protected MonthNumber = Month(Stamp)
  ProcedureReturn Date(YearNumber, MonthNumber, DaysInMonth(YearNumber, MonthNumber), 23, 59, 59)
EndProcedure
;{+++
;/// Example : is an order date inside the current month?
; If Order >= StartOfMonth(Date()) And Order <= EndOfMonth(Date())
;   Debug "this month"
; EndIf
;}

;&&&1 AgeInYears
;/// Returns the number of whole years from <B>Birth</B> to <B>Stamp</B>, as a person's age is counted.
;/// Usage :<BR><DD><B>Years = AgeInYears(Birth, Stamp)</B>
Procedure.i AgeInYears(Birth, Stamp) ;+++
  Protected Age = Year(Stamp) - Year(Birth)
  If Month(Stamp) < Month(Birth) Or (Month(Stamp) = Month(Birth) And Day(Stamp) < Day(Birth))
    Age - 1
  EndIf
  ProcedureReturn Age
EndProcedure
;{+++
;/// Example :
; Debug AgeInYears(Date(1980, 6, 15, 0, 0, 0), Date(2013, 6, 14, 0, 0, 0))    ; 32
; Debug AgeInYears(Date(1980, 6, 15, 0, 0, 0), Date(2013, 6, 15, 0, 0, 0))    ; 33
;}*

;&&&1 DurationText
;/// Returns a number of seconds as hours, minutes and seconds, as "2h 05m 09s". Negative durations get a sign.
;/// Usage :<BR><DD><B>Text$ = DurationText(Seconds)</B>
Procedure.s DurationText(Seconds) ;+++
  Protected Minus$
  If Seconds < 0
    Minus$ = "-"
    Seconds = -Seconds
  EndIf
  ProcedureReturn Minus$ + Str(Seconds / 3600) + "h " + RSet(Str((Seconds % 3600) / 60), 2, "0") + "m " + RSet(Str(Seconds % 60), 2, "0") + "s"
EndProcedure
;{+++
;/// Example : how long did it take?
; Start = Date()
; Delay(1500)
; Debug DurationText(Date() - Start)
;}
;<<<

;&&&0 Lists and maps
;/// Searching, cleaning, sorting and adding up the elements of linked lists and maps.
;>>>
;&&&2 Lists as parameters
;/// A list is passed to a procedure by reference: the procedure works on your list itself, not on a copy.
;/// Declare the parameter with the keyword List and empty parentheses, and call it the same way:
;{+++
; NewList Names.s()
; AddElement(Names()) : Names() = "Zoe"
; AddElement(Names()) : Names() = "adam"
; SortStrings(Names())            ; pass the list with its parentheses
;}*
;/// Procedures that walk through a list with ForEach leave its current element on the last one, or on
;/// none; call <B>FirstElement()</B> or <B>SelectElement()</B> before relying on it.

;&&&1 ListIndexOf
;/// Returns the position (from 0) of the first element equal to <B>Value$</B>, or -1 when there is none.
;/// With <B>NoCase</B> set to #True, letter case is ignored.
;/// Usage :<BR><DD><B>Index = ListIndexOf(Items$(), Value$ [, NoCase])</B>
Procedure.i ListIndexOf(List Items.s(), Value$, NoCase = #False) ;+++
  Protected Index, Found
  If NoCase
    Value$ = LCase(Value$)
  EndIf
  ForEach Items()
    If NoCase
      Found = Bool(LCase(Items()) = Value$)
    Else
      Found = Bool(Items() = Value$)
    EndIf
    If Found
      ProcedureReturn Index
    EndIf
    Index + 1
  Next
  ProcedureReturn -1
EndProcedure
;{+++
;/// Example :
; Index = ListIndexOf(Names(), "ADAM", #True)
; If Index >= 0
;   SelectElement(Names(), Index)
;   Debug Names()
; EndIf
;}

;&&&1 ListContains
;/// Tells whether the list holds an element equal to <B>Value$</B>.
;/// Usage :<BR><DD><B>Result = ListContains(Items$(), Value$ [, NoCase])</B>
Procedure.i ListContains(List Items.s(), Value$, NoCase = #False) ;+++
  ProcedureReturn Bool(ListIndexOf(Items(), Value$, NoCase) >= 0)
EndProcedure
;{+++
;/// Example : add a name only once
; If ListContains(Names(), New$, #True) = #False
;   AddElement(Names())
;   Names() = New$
; EndIf
;}

;&&&1 RemoveDuplicates
;/// Removes every element that equals an earlier one, keeping the first of each value in its place.
;/// Returns the number of elements removed. Letter case counts.
;/// Usage :<BR><DD><B>Removed = RemoveDuplicates(Items$())</B>
Procedure.i RemoveDuplicates(List Items.s()) ;+++
  Protected NewMap Seen.i()
  Protected Removed
  ForEach Items()
    If FindMapElement(Seen(), Items())
      DeleteElement(Items())
      Removed + 1
    Else
      Seen(Items()) = 1
    EndIf
  Next
  ProcedureReturn Removed
EndProcedure
;{+++
;/// Example :
; SplitToList("b,a,b,c,a", ",", Letters())
; RemoveDuplicates(Letters())
; Debug JoinList(Letters(), ",")      ; b,a,c
;}*

;&&&1 ReverseList
;/// Puts the elements of a string list in the opposite order.
;/// Usage :<BR><DD><B>ReverseList(Items$())</B>
Procedure ReverseList(List Items.s()) ;+++
  Protected NewList Copy.s()
  ForEach Items()
    AddElement(Copy())
    Copy() = Items()
  Next
  ClearList(Items())
  If LastElement(Copy())
    Repeat
      AddElement(Items())
      Items() = Copy()
    Until PreviousElement(Copy()) = 0
  EndIf
EndProcedure
;{+++
;/// Example :
; SplitToList("1,2,3", ",", Digits())
; ReverseList(Digits())
; Debug JoinList(Digits(), ",")       ; 3,2,1
;}*

;&&&1 SortStrings
;/// Sorts a string list alphabetically. <B>Descending</B> reverses the order; <B>NoCase</B> (on by default)
;/// sorts "apple" and "Banana" as a reader expects.
;/// Usage :<BR><DD><B>SortStrings(Items$() [, Descending [, NoCase]])</B>
Procedure SortStrings(List Items.s(), Descending = #False, NoCase = #True) ;+++
  Protected Options = #PB_Sort_Ascending
  If Descending
    Options = #PB_Sort_Descending
  EndIf
  If NoCase
    Options = Options | #PB_Sort_NoCase
  EndIf
  SortList(Items(), Options)
EndProcedure
;{+++
;/// Example :
; SplitToList("pear,Apple,banana", ",", Fruit())
; SortStrings(Fruit())
; Debug JoinList(Fruit(), ", ")      ; Apple, banana, pear
;}*

;&&&1 CountItems
;/// Counts how often each value occurs in a string list: the map receives one key per value and the number
;/// of its occurrences. The map is cleared first. Returns the number of different values.
;/// Usage :<BR><DD><B>Count = CountItems(Items$(), Counts())</B>
Procedure.i CountItems(List Items.s(), Map Counts.i()) ;+++
  ClearMap(Counts())
  ForEach Items()
    Counts(Items()) + 1
  Next
  ProcedureReturn MapSize(Counts())
EndProcedure
;{+++
;/// Example :
; NewMap Votes.i()
; SplitToList("yes,no,yes,yes", ",", Answers())
; CountItems(Answers(), Votes())
; Debug Votes("yes")                 ; 3
;}

;&&&1 MapKeysToList
;/// Puts the keys of a string map into a list, sorted alphabetically. The list is cleared first.
;/// Returns the number of keys. Maps have no order of their own; this gives them one.
;/// Usage :<BR><DD><B>Count = MapKeysToList(Table$(), Keys$())</B>
Procedure.i MapKeysToList(Map Table.s(), List Keys.s()) ;+++
  ClearList(Keys())
  ForEach Table()
    AddElement(Keys())
    Keys() = MapKey(Table())
  Next
  SortList(Keys(), #PB_Sort_Ascending)
  ProcedureReturn ListSize(Keys())
EndProcedure
;{+++
;/// Example : print a map in key order
; MapKeysToList(Capitals(), Countries())
; ForEach Countries()
;   Debug Countries() + " = " + Capitals(Countries())
; Next
;}

;&&&1 MapValueOr
;/// Returns the value stored under <B>Key$</B> in a string map, or <B>Default$</B> when the key is missing.
;/// Unlike <B>Table(Key$)</B>, it does not add the missing key to the map.
;/// Usage :<BR><DD><B>Value$ = MapValueOr(Table$(), Key$, Default$)</B>
Procedure.s MapValueOr(Map Table.s(), Key$, Default$) ;+++
  If FindMapElement(Table(), Key$)
    ProcedureReturn Table()
  EndIf
  ProcedureReturn Default$
EndProcedure
;{+++
;/// Example : settings with defaults
; NewMap Setting.s()
; Setting("colour") = "blue"
; Debug MapValueOr(Setting(), "colour", "black")    ; blue
; Debug MapValueOr(Setting(), "size", "12")         ; 12
;}

;&&&1 SumList
;/// Returns the sum of the elements of a list of doubles; 0 for an empty list.
;/// Usage :<BR><DD><B>Sum.d = SumList(Values.d())</B>
Procedure.d SumList(List Values.d()) ;+++
  Protected Sum.d
  ForEach Values()
    Sum + Values()
  Next
  ProcedureReturn Sum
EndProcedure
;{+++
;/// Example :
; NewList Prices.d()
; AddElement(Prices()) : Prices() = 9.90
; AddElement(Prices()) : Prices() = 15.50
; Debug StrD(SumList(Prices()), 2)      ; 25.40
;}

;&&&1 AverageList
;/// Returns the average of the elements of a list of doubles; 0 for an empty list.
;/// Usage :<BR><DD><B>Average.d = AverageList(Values.d())</B>
Procedure.d AverageList(List Values.d()) ;+++
  If ListSize(Values()) = 0
    ProcedureReturn 0
  EndIf
  ProcedureReturn SumList(Values()) / ListSize(Values())
EndProcedure
;{+++
;/// Example :
; Debug StrD(AverageList(Prices()), 2)  ; 12.70
;}*

;&&&1 LargestValue
;/// Returns the largest element of a list of doubles, or <B>Fallback</B> (0 unless given) for an empty list.
;/// Usage :<BR><DD><B>Largest.d = LargestValue(Values.d() [, Fallback.d])</B>
Procedure.d LargestValue(List Values.d(), Fallback.d = 0) ;+++
  Protected Largest.d, IsFirst = #True
  ForEach Values()
    If IsFirst Or Values() > Largest
      Largest = Values()
      IsFirst = #False
    EndIf
  Next
  If IsFirst
    ProcedureReturn Fallback
  EndIf
  ProcedureReturn Largest
EndProcedure
;{+++
;/// Example :
; Debug LargestValue(Prices())          ; 15.5
;}*
;<<<

;&&&0 Maths
;/// Small computations that programs need every day: limits, rounding, divisors, ranges.
;>>>
;&&&2 Integers and doubles
;/// Procedures whose name ends in <B>Int</B> work on integers, those ending in <B>Double</B> on doubles.
;/// PureBasic converts a double passed to an integer parameter by rounding it, so choose the right one:
;{+++
; Debug ClampInt(7.6, 0, 10)          ; 8: the value was rounded before the test
; Debug ClampDouble(7.6, 0, 10)       ; 7.6
;}*

;&&&1 ClampInt
;/// Returns <B>Value</B> kept inside the range from <B>Low</B> to <B>High</B>.
;/// When Low is greater than High, the two are swapped.
;/// Usage :<BR><DD><B>Result = ClampInt(Value, Low, High)</B>
Procedure.i ClampInt(Value, Low, High) ;+++
  If Low > High
    Swap Low, High
  EndIf
  If Value < Low
    ProcedureReturn Low
  ElseIf Value > High
    ProcedureReturn High
  EndIf
  ProcedureReturn Value
EndProcedure
;{+++
;/// Example : a volume from 0 to 100
; Volume = ClampInt(Volume + 10, 0, 100)
;}*

;&&&1 ClampDouble
;/// Returns <B>Value</B> kept inside the range from <B>Low</B> to <B>High</B>, for doubles.
;/// Usage :<BR><DD><B>Result.d = ClampDouble(Value.d, Low.d, High.d)</B>
Procedure.d ClampDouble(Value.d, Low.d, High.d) ;+++
  If Low > High
    Swap Low, High
  EndIf
  If Value < Low
    ProcedureReturn Low
  ElseIf Value > High
    ProcedureReturn High
  EndIf
  ProcedureReturn Value
EndProcedure
;{+++
;/// Example :
; Debug ClampDouble(1.25, 0.0, 1.0)   ; 1.0
;}*

;&&&1 MinInt
;/// Returns the smaller of two integers.
;/// Usage :<BR><DD><B>Result = MinInt(ValueA, ValueB)</B>
Procedure.i MinInt(ValueA, ValueB) ;+++
  If ValueA < ValueB
    ProcedureReturn ValueA
  EndIf
  ProcedureReturn ValueB
EndProcedure
;{+++
;/// Example :
; Debug MinInt(3, -8)        ; -8
;}*

;&&&1 MaxInt
;/// Returns the larger of two integers.
;/// Usage :<BR><DD><B>Result = MaxInt(ValueA, ValueB)</B>
Procedure.i MaxInt(ValueA, ValueB) ;+++
  If ValueA > ValueB
    ProcedureReturn ValueA
  EndIf
  ProcedureReturn ValueB
EndProcedure
;{+++
;/// Example : the widest of two gadgets
; Width = MaxInt(GadgetWidth(#Ok), GadgetWidth(#Cancel))
;}

;&&&1 RoundTo
;/// Rounds a double to <B>Decimals</B> digits after the dot (halves away from zero, as Round() does).
;/// A negative Decimals rounds to tens, hundreds and so on.
;/// Usage :<BR><DD><B>Result.d = RoundTo(Value.d, Decimals)</B>
Procedure.d RoundTo(Value.d, Decimals) ;+++
  Protected Factor.d = Pow(10, Decimals)
  ProcedureReturn Round(Value * Factor, #PB_Round_Nearest) / Factor
EndProcedure
;{+++
;/// Example :
; Debug RoundTo(3.14159, 2)      ; 3.14
; Debug RoundTo(1234.5, -2)      ; 1200
;}*

;&&&1 IsPrime
;/// Tells whether a whole number is a prime number. Numbers below 2 are not.
;/// Usage :<BR><DD><B>Result = IsPrime(Number)</B>
Procedure.i IsPrime(Number) ;+++
  Protected Divisor = 3
  If Number < 2
    ProcedureReturn #False
  EndIf
  If Number % 2 = 0
    ProcedureReturn Bool(Number = 2)
  EndIf
  ;/// Only odd divisors up to the square root need to be tried.
  While Divisor * Divisor <= Number
    If Number % Divisor = 0
      ProcedureReturn #False
    EndIf
    Divisor + 2
  Wend
  ProcedureReturn #True
EndProcedure
;{+++
;/// Example : the primes below 50
; For n = 1 To 50
;   If IsPrime(n)
;     Line$ + Str(n) + " "
;   EndIf
; Next
; Debug Line$
;}

;&&&1 GreatestDivisor
;/// Returns the greatest common divisor of two integers (always 0 or more); 0 when both are 0.
;/// Usage :<BR><DD><B>Result = GreatestDivisor(ValueA, ValueB)</B>
Procedure.i GreatestDivisor(ValueA, ValueB) ;+++
  Protected Rest
  If ValueA < 0 : ValueA = -ValueA : EndIf
  If ValueB < 0 : ValueB = -ValueB : EndIf
  While ValueB <> 0
    Rest = ValueA % ValueB
    ValueA = ValueB
    ValueB = Rest
  Wend
  ProcedureReturn ValueA
EndProcedure
;{+++
;/// Example : reduce a fraction
; a = 42 : b = 56
; g = GreatestDivisor(a, b)
; Debug Str(a / g) + "/" + Str(b / g)       ; 3/4
;}

;&&&1 LeastMultiple
;/// Returns the least common multiple of two integers (0 or more); 0 when either is 0.
;/// Usage :<BR><DD><B>Result = LeastMultiple(ValueA, ValueB)</B>
Procedure.i LeastMultiple(ValueA, ValueB) ;+++
  Protected Divisor = GreatestDivisor(ValueA, ValueB)
  If Divisor = 0 Or ValueA = 0 Or ValueB = 0
    ProcedureReturn 0
  EndIf
  If ValueA < 0 : ValueA = -ValueA : EndIf
  If ValueB < 0 : ValueB = -ValueB : EndIf
  ProcedureReturn (ValueA / Divisor) * ValueB
EndProcedure
;{+++
;/// Example :
; Debug LeastMultiple(4, 6)       ; 12
;}*

;&&&1 RandomBetween
;/// Returns a random integer from <B>Low</B> to <B>High</B>, both included.
;/// Usage :<BR><DD><B>Result = RandomBetween(Low, High)</B>
Procedure.i RandomBetween(Low, High) ;+++
  If Low > High
    Swap Low, High
  EndIf
  ProcedureReturn Low + Random(High - Low)
EndProcedure
;{+++
;/// Example : roll two dice
; Debug RandomBetween(1, 6) + RandomBetween(1, 6)
;}*

;&&&1 Percent
;/// Returns how many percent <B>Part</B> is of <B>Whole</B>; 0 when Whole is 0.
;/// Usage :<BR><DD><B>Result.d = Percent(Part.d, Whole.d)</B>
Procedure.d Percent(Part.d, Whole.d) ;+++
  If Whole = 0
    ProcedureReturn 0
  EndIf
  ProcedureReturn Part * 100 / Whole
EndProcedure
;{+++
;/// Example : a progress text
; Debug StrD(Percent(Done, Total), 0) + " %"
;}

;&&&1 Interpolate
;/// Returns the value at <B>Amount</B> of the way from <B>From</B> to <B>Target</B>: 0 gives From, 1 gives
;/// Target, 0.5 the middle. Amounts outside 0 to 1 go beyond the two values.
;/// Usage :<BR><DD><B>Result.d = Interpolate(From.d, Target.d, Amount.d)</B>
Procedure.d Interpolate(From.d, Target.d, Amount.d) ;+++
  ProcedureReturn From + (Target - From) * Amount
EndProcedure
;{+++
;/// Example : ten steps of an animation
; For i = 0 To 10
;   x = Interpolate(20, 300, i / 10.0)
;   Debug x
; Next
;}

;&&&1 Factorial
;/// Returns the product of the numbers from 1 to <B>Number</B> as a quad; 1 for 0 and below.
;/// 20 is the largest number whose factorial fits a quad.
;/// Usage :<BR><DD><B>Result.q = Factorial(Number)</B>
Procedure.q Factorial(Number) ;+++
  Protected Result.q = 1
  Protected i
  For i = 2 To Number
    Result * i
  Next
  ProcedureReturn Result
EndProcedure
;{+++
;/// Example :
; Debug Factorial(10)        ; 3628800
;}*

;&&&1 IsEven
;/// Tells whether an integer is even.
;/// Usage :<BR><DD><B>Result = IsEven(Number)</B>
Procedure.i IsEven(Number) ;+++
  ProcedureReturn Bool(Number % 2 = 0)
EndProcedure
;{+++
;/// Example : striped rows in a list
; For Row = 0 To CountGadgetItems(#List) - 1
;   If IsEven(Row)
;     SetGadgetItemColor(#List, Row, #PB_Gadget_BackColor, RGB(240, 240, 255))
;   EndIf
; Next
;}

;&&&1 MapRange
;/// Moves a value from one range into another: a value at the middle of FromLow to FromHigh comes out at the
;/// middle of ToLow to ToHigh. Returns ToLow when the first range is empty.
;/// Usage :<BR><DD><B>Result.d = MapRange(Value.d, FromLow.d, FromHigh.d, ToLow.d, ToHigh.d)</B>
Procedure.d MapRange(Value.d, FromLow.d, FromHigh.d, ToLow.d, ToHigh.d) ;+++
  If FromHigh = FromLow
    ProcedureReturn ToLow
  EndIf
  ProcedureReturn ToLow + (Value - FromLow) * (ToHigh - ToLow) / (FromHigh - FromLow)
EndProcedure
;{+++
;/// Example : degrees Celsius to Fahrenheit
; Debug MapRange(37, 0, 100, 32, 212)    ; 98.6
;}*
;<<<

;&&&0 GUI helpers
;/// Short cuts for requesters, windows, list gadgets and colours.
;>>>
;&&&2 Gadget numbers
;/// The GUI helpers take window and gadget numbers as you use them with the Window and Gadget libraries:
;/// constants from an Enumeration, or the value that #PB_Any returned.
;/// They do nothing when the number names no window or gadget, so a late event cannot stop the program.

;&&&1 CenterWindow
;/// Moves a window to the middle of the main screen, its frame included.
;/// Usage :<BR><DD><B>CenterWindow(Window)</B>
Procedure CenterWindow(Window) ;+++
  Protected Width, Height
  If IsWindow(Window) = 0
    ProcedureReturn
  EndIf
  If ExamineDesktops()
    Width = WindowWidth(Window, #PB_Window_FrameCoordinate)
    Height = WindowHeight(Window, #PB_Window_FrameCoordinate)
    ResizeWindow(Window, (DesktopWidth(0) - Width) / 2, (DesktopHeight(0) - Height) / 2, #PB_Ignore, #PB_Ignore)
  EndIf
EndProcedure
;{+++
;/// Example : after the window has been resized to fit its content
; ResizeWindow(#Main, #PB_Ignore, #PB_Ignore, 400, 300)
; CenterWindow(#Main)
;}

;&&&1 AskYesNo
;/// Shows a question with the buttons Yes and No and tells whether the user chose Yes.
;/// Usage :<BR><DD><B>Result = AskYesNo(Title$, Question$)</B>
Procedure.i AskYesNo(Title$, Question$) ;+++
  ProcedureReturn Bool(MessageRequester(Title$, Question$, #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes)
EndProcedure
;{+++
;/// Example :
; If AskYesNo("Quit", "Save the changes before quitting?")
;   SaveDocument()
; EndIf
;}

;&&&1 ShowInfo
;/// Shows a message with one OK button and waits until the user closes it.
;/// Usage :<BR><DD><B>ShowInfo(Title$, Text$)</B>
Procedure ShowInfo(Title$, Text$) ;+++
  MessageRequester(Title$, Text$)
EndProcedure
;{+++
;/// Example :
; ShowInfo("Export", Str(Count) + " records written.")
;}

;&&&1 AskText
;/// Asks the user for a line of text. Returns what was typed, or the empty text when the requester was
;/// cancelled. <B>Default$</B> is the text shown at first.
;/// Usage :<BR><DD><B>Text$ = AskText(Title$, Prompt$ [, Default$])</B>
Procedure.s AskText(Title$, Prompt$, Default$ = "") ;+++
  ProcedureReturn InputRequester(Title$, Prompt$, Default$)
EndProcedure
;{+++
;/// Example :
; Name$ = AskText("Welcome", "What is your name?", UserName())
; If Name$ <> ""
;   ShowInfo("Welcome", "Hello " + Name$)
; EndIf
;}

;&&&1 FillGadget
;/// Replaces the items of a list view, combo box or list icon gadget with the elements of a string list.
;/// Usage :<BR><DD><B>FillGadget(Gadget, Items$())</B>
Procedure FillGadget(Gadget, List Items.s()) ;+++
  If IsGadget(Gadget) = 0
    ProcedureReturn
  EndIf
  ClearGadgetItems(Gadget)
  ForEach Items()
    AddGadgetItem(Gadget, -1, Items())
  Next
EndProcedure
;{+++
;/// Example : the sources of a folder in a list view
; ListFiles(Folder$, "*.pb", Sources())
; SortStrings(Sources())
; FillGadget(#SourceList, Sources())
;}

;&&&1 GadgetToList
;/// Copies the item texts of a list view, combo box or list icon gadget into a string list, which is cleared
;/// first. Returns the number of items.
;/// Usage :<BR><DD><B>Count = GadgetToList(Gadget, Items$())</B>
Procedure.i GadgetToList(Gadget, List Items.s()) ;+++
  Protected i
  ClearList(Items())
  If IsGadget(Gadget) = 0
    ProcedureReturn 0
  EndIf
  For i = 0 To CountGadgetItems(Gadget) - 1
    AddElement(Items())
    Items() = GetGadgetItemText(Gadget, i)
  Next
  ProcedureReturn ListSize(Items())
EndProcedure
;{+++
;/// Example : save what the user collected
; GadgetToList(#Basket, Chosen())
; WriteTextFile("basket.txt", JoinList(Chosen(), #CRLF$))
;}

;&&&1 EnableGadget
;/// Enables or disables a gadget with a test that reads the right way round:
;/// <B>EnableGadget(#Save, Changed)</B> instead of <B>DisableGadget(#Save, 1 - Changed)</B>.
;/// Usage :<BR><DD><B>EnableGadget(Gadget, Enabled)</B>
Procedure EnableGadget(Gadget, Enabled) ;+++
  If IsGadget(Gadget)
    If Enabled
      DisableGadget(Gadget, #False)
    Else
      DisableGadget(Gadget, #True)
    EndIf
  EndIf
EndProcedure
;{+++
;/// Example : the OK button only with a name
; EnableGadget(#Ok, Bool(IsBlank(GetGadgetText(#Name)) = #False))
;}

;&&&1 ColorToHtml
;/// Returns a colour made with RGB() as an HTML colour text, "#" and six hexadecimal digits.
;/// Usage :<BR><DD><B>Text$ = ColorToHtml(Color)</B>
Procedure.s ColorToHtml(Color) ;+++
  ProcedureReturn "#" + RSet(Hex(Red(Color)), 2, "0") + RSet(Hex(Green(Color)), 2, "0") + RSet(Hex(Blue(Color)), 2, "0")
EndProcedure
;{+++
;/// Example :
; Debug ColorToHtml(RGB(255, 255, 223))     ; #FFFFDF
;}*

;&&&1 HtmlToColor
;/// Reads an HTML colour text (six hexadecimal digits, with or without the "#") and returns the colour as
;/// RGB() makes it, or -1 when the text is no such colour.
;/// Usage :<BR><DD><B>Color = HtmlToColor(Text$)</B>
Procedure.i HtmlToColor(Text$) ;+++
  Text$ = UCase(Trim(Text$))
  If Left(Text$, 1) = "#"
    Text$ = Mid(Text$, 2)
  EndIf
  If Len(Text$) <> 6 Or KeepChars(Text$, "0123456789ABCDEF") <> Text$
    ProcedureReturn -1
  EndIf
  ProcedureReturn RGB(Val("$" + Mid(Text$, 1, 2)), Val("$" + Mid(Text$, 3, 2)), Val("$" + Mid(Text$, 5, 2)))
EndProcedure
;{+++
;/// Example : a colour from a settings file
; Color = HtmlToColor(MapValueOr(Setting(), "background", "#FFFFFF"))
; If Color <> -1
;   SetGadgetColor(#Editor, #PB_Gadget_BackColor, Color)
; EndIf
;}

;&&&1 BlendColors
;/// Mixes two colours: an <B>Amount</B> of 0 gives the first, 1 the second and 0.5 the colour halfway.
;/// Usage :<BR><DD><B>Color = BlendColors(ColorA, ColorB, Amount.d)</B>
Procedure.i BlendColors(ColorA, ColorB, Amount.d) ;+++
  Protected r, g, b
  Amount = ClampDouble(Amount, 0, 1)
  r = Interpolate(Red(ColorA), Red(ColorB), Amount)
  g = Interpolate(Green(ColorA), Green(ColorB), Amount)
  b = Interpolate(Blue(ColorA), Blue(ColorB), Amount)
  ProcedureReturn RGB(r, g, b)
EndProcedure
;{+++
;/// Example : a lighter shade of a colour
; Light = BlendColors(RGB(0, 102, 204), RGB(255, 255, 255), 0.75)
; Debug ColorToHtml(Light)
;}
;<<<

EndModule

;&&&0 Examples
;/// Three short programs that use BriskLib together. Copy one into a new source in the IDE and run it.
;>>>
;&&&1 Word statistics
;/// Reads a text file, counts how often each word occurs and shows the ten most frequent words.
;/// It uses <B>ReadTextFile</B>, <B>CollapseSpaces</B>, <B>SplitToList</B>, <B>CountItems</B> and <B>PadRight</B>.
;{+++
; XIncludeFile #PB_Compiler_Home + "veld\BriskLib.pbi"
; UseModule BriskLib
;
; Structure WordRank
;   Word$
;   Count.i
; EndStructure
;
; NewList Words.s()
; NewMap Counts.i()
; NewList Ranking.WordRank()
;
; File$ = OpenFileRequester("Text file", "", "Text (*.txt)|*.txt", 0)
; If File$
;   Text$ = LCase(ReadTextFile(File$))
;   Text$ = StripChars(Text$, ".,;:!?()" + Chr(34))
;   Text$ = CollapseSpaces(ReplaceString(Text$, #CRLF$, " "))
;   SplitToList(Text$, " ", Words())
;   CountItems(Words(), Counts())
;   ForEach Counts()
;     AddElement(Ranking())
;     Ranking()\Word$ = MapKey(Counts())
;     Ranking()\Count = Counts()
;   Next
;   SortStructuredList(Ranking(), #PB_Sort_Descending, OffsetOf(WordRank\Count), #PB_Integer)
;   ForEach Ranking()
;     If ListIndex(Ranking()) = 10 : Break : EndIf
;     Debug PadRight(Ranking()\Word$, 20, ".") + PadLeft(Str(Ranking()\Count), 6)
;   Next
; EndIf
;}

;&&&1 Working days calendar
;/// Prints the working days of the current month with their names, and how many there are.
;/// It uses <B>StartOfMonth</B>, <B>DaysInMonth</B>, <B>WeekdayName</B>, <B>IsoDate</B> and <B>MonthName</B>.
;{+++
; XIncludeFile #PB_Compiler_Home + "veld\BriskLib.pbi"
; UseModule BriskLib
;
; MonthStart = StartOfMonth(Date())
; Days = DaysInMonth(Year(MonthStart), Month(MonthStart))
; Debug MonthName(Month(MonthStart)) + " " + Str(Year(MonthStart))
; For i = 0 To Days - 1
;   Stamp = AddDate(MonthStart, #PB_Date_Day, i)
;   If DayOfWeek(Stamp) <> 0 And DayOfWeek(Stamp) <> 6
;     Debug "  " + IsoDate(Stamp) + "  " + WeekdayName(Stamp)
;     Workdays + 1
;   EndIf
; Next
; Debug Str(Workdays) + " working days"
;}

;&&&1 Source browser window
;/// A window that lists the sources of a folder chosen by the user, centred on the screen.
;/// It uses <B>ListFiles</B>, <B>SortStrings</B>, <B>FillGadget</B>, <B>CenterWindow</B> and <B>FileSizeText</B>.
;{+++
; XIncludeFile #PB_Compiler_Home + "veld\BriskLib.pbi"
; UseModule BriskLib
;
; Enumeration
;   #Main
; EndEnumeration
; Enumeration
;   #Files
;   #Info
; EndEnumeration
;
; NewList Sources.s()
; Folder$ = PathRequester("Folder of sources", GetHomeDirectory())
; If Folder$ And OpenWindow(#Main, 0, 0, 360, 300, "Sources", #PB_Window_SystemMenu | #PB_Window_Invisible)
;   ListViewGadget(#Files, 10, 10, 340, 250)
;   TextGadget(#Info, 10, 270, 340, 20, "")
;   ListFiles(Folder$, "*.pb*", Sources())
;   SortStrings(Sources())
;   FillGadget(#Files, Sources())
;   CenterWindow(#Main)
;   HideWindow(#Main, #False)
;   Repeat
;     Event = WaitWindowEvent()
;     If Event = #PB_Event_Gadget And EventGadget() = #Files
;       Name$ = GetGadgetText(#Files)
;       SetGadgetText(#Info, Name$ + " : " + FileSizeText(FileSize(JoinPath(Folder$, Name$))))
;     EndIf
;   Until Event = #PB_Event_CloseWindow
; EndIf
;}
;<<<
