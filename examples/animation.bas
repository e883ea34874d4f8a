10 ' GET a drawn sprite into a slot, then move it with XOR: drawing it twice takes it away.
20 CLS 3
30 CIRCLE (16,16),12,6,,,,F:CIRCLE (12,12),3,0,,,,F:CIRCLE (20,12),3,0,,,,F
40 CIRCLE (16,18),7,0,3.5,5.9
50 GET (0,0)-(33,33),FACE
60 LINE (0,0)-(33,33),0,BF
70 FOR I=0 TO 9
80 LINE (0,120+I*8)-(639,120+I*8),RGB(0,60+I*15,90)
90 NEXT I
100 X=0
110 FOR N=1 TO 18
120 PUT (X,140),FACE,XOR:SLEEP 30:PUT (X,140),FACE,XOR
130 X=X+32
140 NEXT N
150 PUT (X,140),FACE,XOR
160 FOR K=0 TO 5:PUT (60+K*90,300),FACE,PSET:NEXT K
170 LOCATE 1,1:PRINT "GET and PUT: a face slides across and six stand still."
