10 ' ASC of the empty string.
20 A$="":PRINT ASC(A$)
