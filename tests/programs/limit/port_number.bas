10 REM Port numbers run to 255: COM256 names no port, whatever the settings map.
20 PRINT "before"
30 OPEN "COM256:N81N" AS #1
40 PRINT "not reached"
