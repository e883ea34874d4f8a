10 ' PICTURE loads a Windows bitmap shipped beside the program; PUT draws it in three modes.
20 CLS 3
30 PICTURE "tile.bmp",T
40 FOR I=0 TO 5:PUT (I*100+10,40),T,PSET:NEXT I
50 LINE (0,150)-(639,230),RGB(200,0,0),BF
60 FOR I=0 TO 5:PUT (I*100+10,160),T,OR:NEXT I
70 FOR I=0 TO 5:PUT (I*100+10,280),T,XOR:PUT (I*100+40,300),T,XOR:NEXT I
80 LOCATE 1,0:PRINT "PICTURE slot";T;": PSET, then OR over red, then XOR twice overlapping"
