10 ' A channel is one digit
20 OPEN "a.txt" AS 1:CLOSE #1,#12
