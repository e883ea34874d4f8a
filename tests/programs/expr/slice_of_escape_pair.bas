10 REM A slice may cut an escape pair in two: ASC then reads a broken pair
20 S$="a"+CHR$(34)+"b"
30 FOR I=1 TO 4
40 PRINT LEN(S$);ASC(S$);
50 K=ASC(MID$(S$,I,1))
60 PRINT K
70 NEXT I
