10 IF 1 PRINT "x"
20 PRINT "not reached"
