10 ' Each FOR left by a jump keeps its level: 1,024 fit, the next is refused.
20 N=N+1:IF N>1024 THEN PRINT "levels";N-1
30 FOR I=1 TO 2:GOTO 20
