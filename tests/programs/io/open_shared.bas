10 ' A file that a channel holds cannot be opened on another one
20 OPEN "a.txt" FOR OUTPUT AS 1:PRINT "first"
30 OPEN "a.txt" FOR INPUT AS 2:PRINT "second"
