10 IF 1 THEN PRINT "a":PRINT "b" ELSE PRINT "c"
20 IF 0 THEN PRINT "a":PRINT "b" ELSE PRINT "c"
30 IF 0 THEN PRINT "no else"
40 PRINT "next line"
50 ' The outer ELSE is the second ELSE of the line.
60 FOR A=0 TO 1:FOR B=0 TO 1
70 IF A THEN IF B THEN PRINT "11 "; ELSE PRINT "10 "; ELSE PRINT "0x ";
80 NEXT B:NEXT A
90 PRINT
100 ' THEN or ELSE followed by a line number or a label jumps there.
110 IF 1 THEN 130
120 PRINT "not reached"
130 IF 0 THEN 120 ELSE *L140
140 *L140:PRINT "jumped"
150 ' Conditions written directly against THEN.
160 X=3:IF (X=3)THEN PRINT "paren"
170 A$="q":IF A$="q"THEN PRINT "quote"
180 IF X=3THEN PRINT "digit"
190 ' A branch that is only ELSE runs nothing.
200 IF 1 THEN PRINT "t" ELSE PRINT "e"
210 IF X=3 AND A$="q" THEN PRINT "and"
220 IF NOT X=3 THEN PRINT "not" ELSE PRINT "not not"
230 ' Statements after the IF on its line belong to its parts.
240 IF 0 THEN PRINT "x":PRINT "y"
250 PRINT "end"
