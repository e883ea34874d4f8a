10 A$="x"
20 A$=5
30 PRINT A$
