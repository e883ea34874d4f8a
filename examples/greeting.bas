10 ' A window that asks for a name: the graphics under the text, the caret where typing goes.
20 CLS 3
30 LINE (0,0)-(639,399),RGB(20,30,70),BF
40 CIRCLE (540,300),60,6,,,,F
50 LINE (0,360)-(639,399),RGB(30,120,50),BF
60 COLOR 7,-1:PRINT "ようこそ - welcome to the tarn":PRINT
70 INPUT "お名前は (your name)"; N$
80 PRINT "こんにちは、"; N$; " さん!":PRINT "Press any key to close the window."
90 IF INKEY$="" THEN 90
