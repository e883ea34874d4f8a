10 ' WIDTH 20,5: lines wrap after 20 columns and at most 5 rows stay.
20 WIDTH 20,5
30 FOR I=1 TO 8:PRINT "row";I:NEXT I
40 PRINT STRING$(25,"-")
