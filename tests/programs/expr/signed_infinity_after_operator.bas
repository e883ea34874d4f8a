10 ' A sign before an infinite or NaN value after *, /, \, MOD, AND, OR or XOR folds into its text:
20 ' "-" before "-1.#INF" is "+1.#INF", and a text with '+' reads as its "+1." only, which is 1.
30 ' After + and - the sign folds into the operator instead; first in an expression it negates.
40 ON ERROR GOSUB 900
50 DIM X(2):X(1)=-2E309:P=-2E309:Q=2E309
60 A=1*-(AB-2E309):PRINT A;:A=1 XOR -(AB-2E309):PRINT A;:A=1 MOD -(AB-2E309):PRINT A
70 A=1*+(AB+2E309):PRINT A;:A=1/-(AB-2E309):PRINT A;:A=1*-(AB+2E309):PRINT A
80 A=1*-X(1):PRINT A;:A=1*-P:PRINT A;:A=1 AND -INT(P):PRINT A
90 A=1*-(Q-Q):PRINT A;:A=1+-(AB-2E309):PRINT A;:A=-(AB-2E309):PRINT A
100 IF 2*-(AB-2E309)=2 THEN PRINT "one" ELSE PRINT "infinite"
105 B=18 XOR +7E309:PRINT B;:B=1*+7E309:PRINT B
110 END
900 PRINT "[err]";:RETURN
