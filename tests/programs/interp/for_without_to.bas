10 FOR I=1 T0 5
20 PRINT "not reached"
