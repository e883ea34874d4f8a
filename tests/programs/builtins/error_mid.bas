10 ' MID$ with a negative length.
20 PRINT "[";MID$("abc",2,0);"]"
30 PRINT LEN(MID$("abc",1,-1))
