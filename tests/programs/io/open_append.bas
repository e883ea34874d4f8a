10 ' There is no append mode
20 OPEN "a.txt" FOR APPEND AS #1
