10 ' A number typed after a comma and a blank is still that number.
20 INPUT X,Y:PRINT X+Y
