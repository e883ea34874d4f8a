10 ' One statement may not declare the same array twice.
20 DIM C(2):PRINT C(2)
30 DIM B(3), B(4)
