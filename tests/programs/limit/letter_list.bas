10 ' A letter list holds 255 letters: nine times A-Z and A-U fill it, V is one too many.
20 FOR K=1 TO 9:DEFINT A-Z:NEXT K
30 DEFINT A-U:PRINT "255 letters"
40 DEFSNG B:PRINT "other lists have their own room"
50 DEFINT V
60 PRINT "not reached"
