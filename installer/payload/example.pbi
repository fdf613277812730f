; example.pbi - a small module that shows every documentation tag.
; Open it in the IDE and press Ctrl+F12: example.veld is built beside it and opens in the viewer.

;&&&0 Index
;/// This package was built from <B>example.pbi</B>, a module of two procedures written to show
;/// every tag of the documentation language. Put the source beside this page and compare.
;/// The tags are ordinary comments: the compiler ignores them, Ctrl+F12 turns them into pages.
;>>>
;&&&2 Topics and levels
;/// <B>;&amp;&amp;&amp;</B> followed by a kind and a title starts a topic, an entry of the tree with its own page.
;/// The kind chooses the icon: <B>0</B> a folder, <B>1</B> a procedure or a source, <B>2</B> a tip like this one.
;/// <B>;&gt;&gt;&gt;</B> puts the topics that follow one level deeper, <B>;&lt;&lt;&lt;</B> brings them back up.
;/// This tip sits one level below the Index because a ;&gt;&gt;&gt; line stands between them.
;&&&2 Text lines
;/// Every line that starts with <B>;///</B> is a line of text on the page.
;/// Text lines may hold a little HTML:
;/// <DD>a link: <A HREF="https://www.purebasic.com">PureBasic</A>
;/// <DD>a line break inside one line:<BR>here
;/// <DD><B>bold</B> text
;/// <DD>and indented lines, such as these, with DD.
;<<<

DeclareModule Example
  Declare.i Twice(Value.i)
  Declare.s Greeting(Name$)
EndDeclareModule

Module Example
  EnableExplicit

  ;&&&0 Procedures
  ;/// A folder topic groups the topics below it in the tree.
  ;>>>
  ;&&&1 Twice
  ;/// Returns the value multiplied by two.
  ;/// Usage :<BR><DD><B>Result = Example::Twice(Value)</B>
  Procedure.i Twice(Value.i) ;+++
    ;/// A Procedure line that ends with ;+++ shows the whole procedure, up to EndProcedure, as coloured code.
    ;/// Text lines inside the procedure, like these two, are written above the code.
    ProcedureReturn Value * 2
  EndProcedure

  ;&&&1 Greeting
  ;/// Returns a friendly greeting for a name.
  ;/// Usage :<BR><DD><B>Text$ = Example::Greeting(Name$)</B>
  Procedure.s Greeting(Name$) ;+++
    If Name$ = ""
      Name$ = "World"
    EndIf
    ProcedureReturn "Hello " + Name$ + " !"
  EndProcedure
  ;<<<

EndModule

;&&&0 Examples
;>>>
;&&&1 Coloured example
;/// Comment lines between ;{+++ and ;} are shown as coloured code, without their comment marks:
;{+++
; UseModule Example
; Debug Twice(21)               ; 42
; Debug Greeting("PureBasic")   ; Hello PureBasic !
;}
;&&&1 Plain example
;/// Between ;{+++ and ;}* the same lines are shown as they are, without colours:
;{+++
;/// A text line inside the block is written just above its code.
; Debug Example::Twice(5)       ; 10
;}*
;<<<
