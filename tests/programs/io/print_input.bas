10 ' PRINT # writes lines ending in CR LF, strings in their stored form; INPUT # and LINE INPUT # read them back.
20 OPEN "data.txt" FOR OUTPUT AS #1
30 PRINT #1,"A";"B"
40 PRINT #1,"x,y"
50 PRINT #1,42
60 PRINT #1, USING "##.#";3.14159
70 PRINT #1,CHR$(34)+"q";
80 PRINT #1,
90 CLOSE #1
100 OPEN "data.txt" FOR INPUT AS #2
110 LINE INPUT #2,L$:PRINT L$
120 INPUT #2,A$,B$:PRINT A$;"|";B$
130 INPUT #2,N:PRINT N+1
140 LINE INPUT #2,U$:PRINT U$
150 LINE INPUT #2,Q$:PRINT Q$;LEN(Q$);EOF(2)
160 INPUT #2,Z$
