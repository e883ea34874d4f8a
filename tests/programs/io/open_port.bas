10 ' COMPUTER:X names a file; COM1: a serial port, which cannot be opened yet
20 OPEN "COMPUTER:X" AS 1:PRINT "file"
30 OPEN "COM1:N81N" AS 2
