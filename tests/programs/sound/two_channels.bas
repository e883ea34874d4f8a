10 REM Two channels together; the longer one decides when PLAY returns.
20 PLAY "T150O4CDE", "O3C2"
30 PRINT "after"
