10 OPEN "f.txt" AS 1
20 PRINT #1 "x"
