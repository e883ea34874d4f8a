10 ' Each GOSUB without RETURN keeps its entry; 256 fit, the next is refused.
20 N=N+1
30 IF N>256 THEN PRINT "depth";N-1
40 GOSUB 20
