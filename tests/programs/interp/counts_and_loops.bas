10 ' Counts: whole numbers at the 15-digit edge, an integer at its limit, -1 counted up to 0.
20 K=999999999999998#:K=K+1:PRINT K:K=K+1:PRINT K:K=K+1:PRINT K
30 DEFINT N:N=32766:N=N+1:PRINT N:N=N+1:PRINT N:N=N-70000:PRINT N
40 M=-1:M=M+1:PRINT M;STR$(M);M-1
50 X=.5:X=X+1:PRINT X:X=X-2:PRINT X
55 DEFINT W:W=2147483647#:W=W+1:PRINT W:W=W-1:PRINT W:Z=-1:Z=Z+1:Z=Z-0:PRINT Z;STR$(Z)
60 ' NEXT in a THEN part, FOR in a THEN part, a FOR after a colon, a downward step.
70 FOR I=1 TO 4:PRINT "i";I;
80 IF I<4 THEN NEXT I
90 PRINT
100 IF 1 THEN FOR J=1 TO 3:PRINT "j";J;:NEXT J
110 PRINT
120 FOR L=10 TO 1 STEP -3:PRINT L;:NEXT L:PRINT L
130 FOR A=1 TO 2
140 FOR B=1 TO 2:PRINT A*10+B;
150 NEXT B:NEXT A:PRINT A;B
160 ' A step that fails when NEXT runs its FOR: the handler's RETURN comes back after the FOR.
170 ON ERROR GOSUB 300
180 D=1:F=0
190 FOR I=1 TO 4 STEP 1/D:PRINT "d";I;:D=F
200 NEXT I
210 PRINT "after";I
220 ' The loop variable made an integer while the loop runs.
230 FOR P=1 TO 2.5 STEP .5:PRINT P;:IF P=2 THEN DEFINT P
240 NEXT P:PRINT
250 END
300 PRINT "handler";:F=1:D=1:RETURN
