10 ' Items of several DATA lines are read in order; the line between them is passed over.
20 READ A,B,C:PRINT A;B;C
30 DATA 1, 2
40 DATA 3
50 ' Unquoted strings, quoted strings with a comma, numbers into integers.
60 READ S$,T$,N%:PRINT S$;"|";T$;"|";N%
70 DATA abc,"x,y", 2.5
80 ' Elements with several subscripts are one name.
90 READ M(1,2),U$(2,1):PRINT M(1,2);U$(2,1)
100 *MORE:DATA 7, two words
110 ' RESTORE with no argument starts again at the first item.
120 RESTORE:READ A:PRINT A
130 ' RESTORE to a line, to an expression, to a label.
140 RESTORE 70:READ S$:PRINT S$
150 RESTORE 30+10:READ A:PRINT A
160 RESTORE *MORE:READ A:PRINT A
170 ' A number read into a string stays as written.
180 RESTORE 40:READ S$:PRINT S$;"|"
