10 ' CLEAR inside a subroutine forgets it: the RETURN has nowhere to go.
20 GOSUB 40
30 PRINT "not reached"
40 CLEAR
50 RETURN
