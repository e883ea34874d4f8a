10 ' Expansion may make a statement text at most 8,191 bytes long.
20 A$=SPACE$(4091)+SPACE$(4092):PRINT LEN(A$)
30 B$=SPACE$(4092)+SPACE$(4092)
40 PRINT "not reached"
