10 ' Graphics and text as a window shows them; POINT reads beyond 1024x768 only when the graphics
20 ' are the size of the real display. A typed key ends the program.
30 CLS 3
40 LINE (0,0)-(300,150),RGB(40,90,200),BF
50 CIRCLE (150,75),40,6,,,,F
60 LINE (10,140)-(630,390),RGB(200,60,30)
70 COLOR 7,-1:LOCATE 3,2:PRINT "窓の中 - in a window";POINT(1279,1023)
80 IF INKEY$="" THEN 80
