10 ' When the keys run out while INPUT waits, the program ends as if the window were closed.
20 INPUT A:PRINT A
30 INPUT B:PRINT "not reached"
