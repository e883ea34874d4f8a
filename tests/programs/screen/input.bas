10 INPUT A:PRINT "A is";A
20 INPUT "Name";N$:PRINT "hello ";N$
30 INPUT "Name",N$:PRINT "hi ";N$
40 ' The fields must match the variables: a wrong count asks again.
50 INPUT "two";X,Y:PRINT X+Y
60 INPUT S$:PRINT S$
70 LINE INPUT L$:PRINT L$
80 LINE INPUT "say: ";M$:PRINT M$
90 INPUT Q$,R(1):PRINT Q$;R(1)
