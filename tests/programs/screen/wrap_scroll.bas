10 ' A wrapped line takes several rows, and a scroll drops it whole though one row would do.
20 PRINT STRING$(200,"w")
30 FOR I=1 TO 22:PRINT "line";I:NEXT I
