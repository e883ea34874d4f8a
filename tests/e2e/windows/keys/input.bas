10 ' INPUT and LINE INPUT take the keys typed into the window: Backspace deletes, double-byte
20 ' characters arrive as their two bytes, commas and quotes reach LINE INPUT unchanged.
30 INPUT "Name";N$
40 PRINT "Hello, ";N$
50 INPUT A,B
60 PRINT A+B
70 LINE INPUT "Line: ";L$
80 PRINT L$;LEN(L$)
