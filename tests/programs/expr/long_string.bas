10 A$="0123456789"
20 A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$:A$=A$+A$
30 B$=A$+"x":PRINT "fits"
40 B$=A$+A$
50 PRINT "not reached"
