10 FOR I=1 TO 3:PRINT I;:NEXT I:PRINT " after:";I
20 FOR I=5 TO 1:PRINT "never":NEXT I:PRINT "empty loop leaves";I
30 FOR I=1 TO 0 STEP -1:PRINT I;:NEXT I:PRINT
40 ' The step is read again on every pass; the limit only on entry.
50 S=1:L=10
60 FOR I=1 TO L STEP S:PRINT I;:S=S*2:L=3:NEXT I:PRINT
70 ' The limit is compared in its six-decimal form: 1.0000004 counts as 1.
80 FOR X=1 TO 1.0000004:PRINT "x=";X;:NEXT X:PRINT
90 FOR X=1.0000002 TO 1.0000004:PRINT "never";:NEXT X:PRINT "1.0000002 is past 1.000000"
100 ' A nameless NEXT closes the nearest FOR; a named one passes inner loops.
110 FOR A=1 TO 2:FOR B=1 TO 2:PRINT A*10+B;:NEXT:NEXT A:PRINT
120 ' A loop left by a jump keeps its level: the outer loop then compares with the inner limit.
130 FOR A=1 TO 2:FOR B=1 TO 3
140 PRINT A*10+B;
150 IF B=2 THEN 170
160 NEXT B
170 NEXT A:PRINT
180 ' A finished FOR skips to the NEXT of its name, past other loops.
190 FOR A=9 TO 1:FOR B=1 TO 2:PRINT "inner";:NEXT B:PRINT "mid";:NEXT A:PRINT "skipped to";A
200 ' WHILE
210 W=0:WHILE W<3:W=W+1:PRINT W;:WEND:PRINT
220 WHILE 0:PRINT "never":WEND:PRINT "false WHILE skips its WEND"
230 WHILE 0
240 PRINT "never"
250 WEND
260 PRINT "next line after WEND"
270 WHILE 0:WHILE 1:PRINT "never":WEND:PRINT "never":WEND:PRINT "outer WEND found"
280 ' Loops that begin a THEN part.
290 IF 1 THEN FOR T=1 TO 3:PRINT T;:NEXT T:PRINT " then-for"
295 IF 1 THEN  FOR T=1 TO 2:PRINT T;:NEXT T:PRINT " two blanks after THEN"
300 V=0:IF 1 THEN WHILE V<2:V=V+1:PRINT V;:WEND:PRINT " then-while"
310 ' Loops across lines, with GOSUB inside.
320 FOR I=1 TO 2
330 GOSUB 400
340 NEXT
350 END
400 PRINT "sub";I;:RETURN
