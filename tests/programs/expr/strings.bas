10 A$="ab"+"cd":PRINT A$
20 PRINT "x"+B$+"y"
30 PRINT "1+2";"a b" + "c"
40 S$(2)="q":PRINT S$(1+1)+"!"
50 C$="":PRINT C$;"|"
