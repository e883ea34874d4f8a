10 ' LOG below 1 ends the program; the SQR call after it in the same statement is not made.
20 PRINT LOG(1); LOG(0.5); SQR(-1)
30 PRINT "not reached"
