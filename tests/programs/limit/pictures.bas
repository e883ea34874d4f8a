10 ' 1,024 pictures fit before CLEAR; CLEAR numbers them from 0 again; the 1,025th is refused.
20 FOR I=1 TO 1024:GET (0,0)-(2,2),P:NEXT I:PRINT "last slot";P
30 CLEAR:GET (0,0)-(2,2),P:PRINT "after CLEAR";P
40 FOR I=1 TO 1023:GET (0,0)-(2,2),P:NEXT I
50 GET (0,0)-(2,2),P
