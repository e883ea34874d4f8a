10 ' String functions on byte counts; escape pairs count two bytes except for LEN and ASC.
20 S$="abc"
30 PRINT "[";LEFT$(S$,0);"][";LEFT$(S$,2);"][";LEFT$(S$,5);"][";LEFT$(S$,-1);"]"
40 PRINT "[";RIGHT$(S$,0);"][";RIGHT$(S$,2);"][";RIGHT$(S$,5);"][";RIGHT$(S$,-1);"]"
50 T$="abcdef"
60 PRINT "[";MID$(T$,3);"][";MID$(T$,3,2);"][";MID$(T$,7);"][";MID$(T$,2,0);"]"
70 PRINT "[";MID$(T$,0);"]"
80 PRINT INSTR("abcdcd","cd"); INSTR(4,"abcdcd","cd"); INSTR(6,"abcdcd","cd")
90 PRINT INSTR("abc",""); INSTR(3,"abc",""); INSTR("aBc","b"); INSTR(0,"abc","a"); INSTR(-5,"abc","c")
100 PRINT LEN(""); LEN("あ"); LEN(CHR$(34)); LEN(CHR$(1)+CHR$(0)); LEN(T$+S$)
110 PRINT ASC("A"); ASC(CHR$(34)); ASC(CHR$(0)); ASC(CHR$(1)); ASC(CHR$(200)); ASC("あ")
120 PRINT "[";CHR$(65);CHR$(321);"]"; HEX$(255); " "; HEX$(-1); " "; HEX$(1.9); " "; OCT$(8); " "; OCT$(-1)
130 PRINT "[";STR$(5);"][";STR$(-2.5);"][";STR$(.5);"][";STR$(1/3);"]"
140 PRINT "[";SPACE$(3);"][";SPACE$(0);"][";SPACE$(-1);"][";SPC(2);"]"
150 PRINT "[";STRING$(3,"xy");"][";STRING$(0,"x");"][";STRING$(2,"");"][";STRING$(-1,"z");"]"
160 A$(1,2)="hello":PRINT LEFT$(A$(1,2),2); RIGHT$(A$(1,2),2); MID$(A$(1,2),2,3); INSTR(A$(1,2),"l")
170 Q$=CHR$(34)+"q"+CHR$(34):PRINT Q$; LEN(Q$); LEFT$(Q$,2); MID$(Q$,3,1)
180 PRINT LEFT$("a,b",2); INSTR("a,b",","); RIGHT$("(x)",2); Len("xyz"); LEN ("xy")
