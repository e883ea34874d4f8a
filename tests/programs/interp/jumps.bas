10 ' GOTO to a missing line goes on at the next higher one; to 5 at the first line.
20 N=N+1:IF N=1 THEN GOTO 25
30 PRINT "line 30, pass";N
40 IF N=1 THEN GOTO 5
50 ' A label target matches the first line that begins with it, even a longer label.
60 GOTO *AB
70 *ABC:PRINT "landed on *ABC"
80 *AB:PRINT "landed on *AB"
90 ' Labels differ by case.
100 GOTO *ab
110 *ab:PRINT "lower-case label"
120 ' ON picks the k-th target; out of range does nothing.
130 FOR K=0 TO 4
140 ON K GOTO 150,160,170
145 PRINT K;"fell through":GOTO 180
150 PRINT K;"to 150":GOTO 180
160 PRINT K;"to 160":GOTO 180
170 PRINT K;"to 170"
180 NEXT K
190 ON 1.9 GOSUB 300:PRINT "back from ON GOSUB"
200 ' A GOSUB in a THEN part returns into it, and the ELSE part stays skipped.
210 IF 1 THEN GOSUB 300:PRINT "rest of THEN" ELSE PRINT "ELSE ran"
220 IF 0 THEN PRINT "THEN ran" ELSE GOSUB 300:PRINT "rest of ELSE"
230 GOSUB 310
240 PRINT "nested subroutines returned"
250 END
300 PRINT "in 300":RETURN
310 GOSUB 320:PRINT "after inner":RETURN
320 PRINT "inner":RETURN
