10 ' A cursor placed thousands of rows below the window scrolls the text up in one move each
20 ' time, not one line at a time: this loop took minutes when every line was moved on its own.
30 PRINT "first"
40 FOR K=1 TO 5000:LOCATE 0,22400:PAINT (1,0):NEXT
50 PRINT "done";K
