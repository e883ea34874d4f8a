10 REM Eight strings play on the eight channels; a ninth is error 5 before anything sounds.
20 PLAY "C16","D16","E16","F16","G16","A16","B16","O5C16"
30 PRINT "eight"
40 PLAY "C16","C16","C16","C16","C16","C16","C16","C16","C16"
50 PRINT "nine"
