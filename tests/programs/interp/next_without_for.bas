10 PRINT "a"
20 NEXT I
30 WEND
40 FOR J=1 TO 2:NEXT J
50 ' The loop of J has ended: its NEXT has no level to go back to.
60 NEXT J
70 PRINT "b"
