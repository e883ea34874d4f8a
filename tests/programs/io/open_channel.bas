10 ' Channels are 1 to 9
20 OPEN "a.txt" FOR OUTPUT AS #10
