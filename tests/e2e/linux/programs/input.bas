10 INPUT "name"; A$
20 LINE INPUT "line: "; B$
30 OPEN "typed.txt" FOR OUTPUT AS #1
40 PRINT #1, A$
50 PRINT #1, B$
60 CLOSE #1
