10 ON 1 PRINT 20
20 PRINT "not reached"
