10 ' A plain name that already has an array is refused as well.
20 DIM X(2):X=7:PRINT X
30 DIM X
