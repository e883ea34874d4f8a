10 OPEN "lines.txt" FOR OUTPUT AS #1
20 FOR I=1 TO 500:PRINT #1,"line";I:NEXT
30 OPEN "ready.txt" FOR OUTPUT AS #2:PRINT #2,"ready":CLOSE #2
40 SLEEP 60000
50 PRINT #1,"not reached"
