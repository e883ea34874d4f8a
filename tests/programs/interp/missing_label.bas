10 PRINT "go"
20 GOTO *NOWHERE
30 PRINT "not reached"
