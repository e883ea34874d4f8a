10 DEFINT Z-A
20 PRINT "not reached"
