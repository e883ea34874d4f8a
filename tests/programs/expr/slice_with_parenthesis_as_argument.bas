10 REM A slice holding a parenthesis cuts the call it is spliced into at the wrong place
20 P$="ab(c"
30 FOR I=1 TO 4
40 PRINT I;
50 K=ASC(MID$(P$,I,1))
60 NEXT I
