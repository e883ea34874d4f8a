10 ' COMPUTER:X names a file; COM200: a serial port, here one without a device
20 OPEN "COMPUTER:X" AS 1:PRINT "file"
30 OPEN "COM200:N81N" AS 2
