10 PRINT USING "##"
20 PRINT "not reached"
