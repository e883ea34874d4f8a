10 ' LOF of a channel without a file is -1; EOF of a channel outside 1 to 9 is an access error
20 PRINT LOF(3); LOF(#9)
30 PRINT EOF(0)
