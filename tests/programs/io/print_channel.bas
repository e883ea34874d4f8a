10 PRINT #0,"x"
