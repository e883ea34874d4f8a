10 ' SQR of a negative number.
20 PRINT SQR(0); SQR(-.0001)
