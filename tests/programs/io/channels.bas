10 ' Reopening a channel closes its file first; CLOSE lists; relative names follow CHDIR
20 OPEN "a.txt" AS 1:OPEN "b.txt" AS 1:OPEN "a.txt" AS 2
30 CLOSE #1, 2:OPEN "b.txt" AS #3:OPEN "a.txt" AS #4:CLOSE #3:CLOSE #3:CLOSE
40 OPEN "sub\x.txt" FOR INPUT AS 1:PRINT LOF(1):CLOSE 1
50 CHDIR CURDIR$+"\sub":OPEN "y.txt" FOR OUTPUT AS 1:PRINT LOF(1):CLOSE
60 OPEN "x.txt" AS 9:PRINT LOF(9)
