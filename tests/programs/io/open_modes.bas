10 ' OPEN creates a missing file empty and never truncates; FOR and AS in any case; LOF and EOF
20 OPEN "new.txt" FOR INPUT AS #2
30 PRINT LOF(2); EOF(2)
40 OPEN "ten.txt" for output as 1
50 PRINT LOF(1); LOF(#1); LOF(10); EOF(2)
60 N=1:PRINT LOF(N); LOF(#N); LOF(N+2)
70 OPEN "made" + ".txt" FOR OUTPUT AS #3
80 OPEN "ten.txt" FOR INPUT AS 1
90 PRINT LOF(1); EOF(1); LOF(1)
100 CLOSE
110 PRINT LOF(1); LOF(2); LOF(3)
