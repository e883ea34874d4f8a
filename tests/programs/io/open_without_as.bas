10 ' AS and the channel are required
20 OPEN "a.txt" FOR OUTPUT #1
