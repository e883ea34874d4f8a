10 ' With ON ERROR installed, a function that calls itself twice is refused once per chain of
20 ' calls, not at each of the 2^64 ends of its calls; the next chain starts afresh.
30 ON ERROR GOTO 100
40 DEF FNF(X)=FNF(X)+FNF(X)
50 DEF FNG(X)=X*2
60 N=N+1:A=FNF(1)
70 PRINT "not reached"
100 PRINT "handled";N;A;FNG(21)
110 IF N<3 THEN 60
