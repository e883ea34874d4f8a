10 ' 25 rows of 16 pixels fit the 400-pixel window: the cursor's row counts, so 24 printed lines stay.
20 FOR I=1 TO 30:PRINT "line";I:NEXT I
