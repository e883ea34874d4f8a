10 ' Pictures that no longer fit in the memory are not made and the program goes on; a PUT of one
15 ' is refused as a PUT of an empty slot is.
20 FOR I=1 TO 1024
30 GET @(0,0)-(639,399),P
40 NEXT
50 PUT (0,0),P,PSET
60 PRINT "slots";P+1
