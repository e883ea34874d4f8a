10 ' PAINT fills inside a closed outline up to its border; the text is drawn over the result.
20 PRINT "painted"
30 CIRCLE (100,100),40:PAINT (100,100),4,7
40 LINE (200,50)-(260,110),2,B:PAINT (230,80),2
50 PAINT (100,100),4
