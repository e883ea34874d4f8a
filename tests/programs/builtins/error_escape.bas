10 ' Half of an escape pair, cut by LEFT$, is no string AKCNV$ can read.
20 A$=LEFT$(CHR$(34),1):PRINT "cut"
30 PRINT LEN(AKCNV$(A$))
