10 ON ERROR GOTO 100
20 PRINT "start"
30 A=1/0
40 PRINT "not reached"
100 E=E+1:PRINT "handler";E
110 IF E=1 THEN B=1/0
120 ' A warning runs the handler as well.
130 IF E=2 THEN WEND
140 ON ERROR GOSUB 200
150 PRINT "installed GOSUB"
160 C=1/0:PRINT "after the failing statement"
170 CLEAR
180 PRINT "handler gone"
190 D=1/0
195 PRINT "not reached"
200 PRINT "gosub handler":RETURN
