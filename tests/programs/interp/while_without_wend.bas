10 PRINT "before"
20 WHILE 0
30 PRINT "not reached"
