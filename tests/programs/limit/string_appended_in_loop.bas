10 ' A value grown in place stops at 8,189 bytes like any other: the append that passes it is refused.
20 FOR I=1 TO 2000
30 S$=S$+"abcdefgh"
40 IF I>1021 THEN PRINT I;LEN(S$)
50 NEXT I
