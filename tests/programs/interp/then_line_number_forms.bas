10 ' A THEN part that is a line number jumps there; with more after it, it is read as written
20 K=0
30 K=K+1
40 IF K<3 THEN 30
50 IF K<5 THEN  70  
60 PRINT "not here"
70 PRINT K;
80 IF K<6 THEN 100 ELSE 120
90 PRINT "nor here"
100 K=K+1:PRINT "a";K;
110 GOTO 80
120 IF K=6 THEN 140:PRINT "colon"
130 PRINT "nor here either"
140 PRINT "b";
150 IF K=6 THEN 999
160 PRINT "end"
