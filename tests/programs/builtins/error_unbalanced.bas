10 ' A call without its closing parenthesis. DATA evaluates nothing, so the one report
20 ' is the expansion's own.
30 PRINT "before"
40 DATA ABS((1)
50 PRINT "not reached"
