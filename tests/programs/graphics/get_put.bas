10 ' GET copies a rectangle into a slot; PUT draws it; XOR twice leaves the screen as it was.
20 LINE (0,0)-(9,9),2,BF:PSET (5,5),4
30 GET (0,0)-(10,10),P:GET (5,5)-STEP(10,10),Q
40 PUT (20,20),P,PSET
50 PUT (40,20),P,XOR:PUT (40,20),P,XOR
60 PSET (60,20),1:PUT (60,20),P,OR
70 PRINT P;Q
