10 ' Closing the window while the program runs ends it with status 0, its file written and closed.
20 OPEN "out.txt" FOR OUTPUT AS #1
30 FOR I=1 TO 3:PRINT #1,"line";I:NEXT
40 PRINT "waiting"
50 GOTO 50
