10 ' EOF of a channel without a file cannot read it
20 PRINT EOF(3)
