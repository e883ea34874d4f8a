10 ' SCROLL moves the picture and the text, which is now part of it; only line breaks stay.
20 PRINT "AAAA":PRINT "BBBB"
30 LINE (0,40)-(7,47),2,BF
40 SCROLL 0,16
50 PRINT "C"
