10 ' The items are taken as written: " 40" begins with a blank and is no target.
20 ON 2 GOTO 30, 40
30 PRINT "30"
40 PRINT "40"
