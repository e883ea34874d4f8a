10 ' Pictures take slots in order; a missing file is error 8 with the slot number already set.
20 PICTURE "rgb24.bmp",A:PICTURE "mono.bmp",B:PICTURE "rle8.bmp",C
30 PUT (10,100),A,PSET:PUT (20,100),B,PSET:PUT (40,100),C,PSET
40 PRINT A;B;C
50 PICTURE "missing.bmp",D
60 PRINT "not reached"
