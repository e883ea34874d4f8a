10 REM An unplayable channel is refused before anything sounds.
20 PLAY "CDE", "T0C"
30 PRINT "not reached"
