10 ' An element stored without DIM makes the name an array.
20 A(2)=1:PRINT A(2)
30 DIM B(3), A(5)
