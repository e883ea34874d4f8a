10 ' A file name holds at most 259 bytes once the program's folder is put before it
20 CHDIR ".":D$=STRING$(200,"d"):MKDIR D$
30 N$=D$+"\"+STRING$(56,"n"):PRINT LEN(CURDIR$+"\"+N$)
40 OPEN N$ FOR OUTPUT AS 1:CLOSE:PRINT "opened"
50 N$=N$+"n":PRINT LEN(CURDIR$+"\"+N$)
60 OPEN N$ FOR OUTPUT AS 1
