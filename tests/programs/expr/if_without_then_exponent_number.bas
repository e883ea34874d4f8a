10 IF 1<2 X=A*3D-16
20 PRINT "not reached"
