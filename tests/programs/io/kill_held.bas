10 ' A file that a channel holds cannot be deleted
20 OPEN "a.txt" AS 1
30 KILL "a.txt"
