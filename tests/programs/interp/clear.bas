10 ' CLEAR forgets variables, arrays, functions, declarations, the READ position and ON ERROR.
20 A=1:A$="x":DIM B(3):B(1)=2:READ X:DEF FNA(Y)=7:DEFINT C:ON ERROR GOTO 100
30 PRINT A;A$;B(1);X;FNA(0)
40 CLEAR
50 C=2.5:READ X:DIM B(3)
60 PRINT A;A$;"|";B(1);X;C;FNA(0)
70 Z=1/0
80 DATA 5
100 PRINT "handler ran"
