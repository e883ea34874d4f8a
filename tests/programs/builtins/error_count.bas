10 ' A function given the wrong number of arguments.
20 PRINT LEN("a","b")
30 PRINT "not reached"
