10 REM In a condition a group after MOD is a condition of its own, evaluated first
20 IF 3 = 7 MOD (4.9) THEN PRINT "whole" ELSE PRINT "not"
30 IF 13><7 MOD (M%(-1)) THEN PRINT "then" ELSE PRINT "else"
40 END
