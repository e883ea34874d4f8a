10 ' Divisions in the arguments of string calls: by constants they cannot fail, by a variable they may
20 J=3
30 FOR I=1 TO 4
40 S$=S$+CHR$(64+I MOD 3)+MID$("xyz",I\2+1,1)+LEFT$("ab",I/2)
50 PRINT S$;LEN(MID$(S$,I MOD J+1));
60 NEXT I
70 PRINT
80 J=0
90 T$=CHR$(65+1 MOD J)
100 PRINT "not reached"
