10 ' Squares of whole numbers up to 2^26 and past it, of negatives, fractions and zero.
20 ON ERROR GOSUB 900
30 K=8191:A=K^2:PRINT A;:K=-8191:A=K^2:PRINT A;:K=67108863#:A=K^2:PRINT A
40 K=67108864#:A=K^2:PRINT A;:K=-67108865#:A=K^2:PRINT A
50 K=2.5:A=K^2:PRINT A;:K=-0:A=K^2:PRINT A;:K=1E+200:A=K^2:PRINT A
60 A=3^2:PRINT A;(-3)^2;2^-2;:K=3:A=2^K:PRINT A
70 DEFINT I:I=181:I=I^2:PRINT I:I=200:I=I^2:PRINT I
80 ' One call of a function into a variable: negated, into an integer, into an element, reporting.
90 K=.5:B=SIN(K):PRINT B;:B=-SIN(K):PRINT B;:B=SIN(1E-25):PRINT B
100 B=-INT(2.5):PRINT B;:B=ABS(K):PRINT B;:I=SQR(10):PRINT I;:I=LOG(1000):PRINT I
110 DIM D(3):D(2)=COS(0):PRINT D(2);:K=-1:B=SQR(K):PRINT B;:B=EXP(1000):PRINT B
120 K=0:B=LOG(K):PRINT B
130 ' One relation between two constants or variables.
140 K=5:IF K<1000 THEN PRINT "lt";
150 IF -3>K THEN PRINT "gt" ELSE PRINT "le";
160 IF K=5 THEN PRINT "eq";
170 IF K<>5 THEN PRINT "ne" ELSE PRINT "same";
180 IF 5<=K THEN PRINT "le5";
190 IF K>=5.000001 THEN PRINT "ge" ELSE PRINT "below":
200 Z=.1+.2:IF Z=.3 THEN PRINT "rounded" ELSE PRINT "exact"
210 END
900 PRINT "[err]";:RETURN
