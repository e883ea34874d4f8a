10 ' Opaque cells cover the graphics, transparent ones show them between the strokes, and
20 ' see-through blanks show them whole.
30 LINE (0,0)-(300,47),2,BF
40 PRINT "opaque"
50 COLOR 7,-1:PRINT "clear"
60 LOCATE 5,2:PRINT "x"
