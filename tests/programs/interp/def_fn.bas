10 DEF FNA(X)=X*2+1
20 DEF FNS(X)=SIN(X)
30 DEF FNN$(A$,N)=LEFT$(A$,N)+"!"
40 DEF FNH$="hello"
50 PRINT FNA(3);FNA(FNA(1))
60 ' The body is expanded at each call, so it follows its argument.
70 PRINT FNS(0);INT(FNS(.5)*1000)
80 PRINT FNN$("abcdef",3);FNH$
90 ' Parameters are ordinary variables: the call leaves them set.
100 X=100:Y=FNA(5):PRINT X
110 ' Defining a name again keeps the first definition; running a DEF FN line again is harmless.
120 DEF FNA(X)=0
130 FOR I=1 TO 300:DEF FNB(X)=X-1:NEXT I
140 PRINT FNA(1);FNB(1)
150 ' Names are matched with their case.
160 PRINT fna(1)
170 CLEAR
180 PRINT FNH$;"|"
