10 D$="C:\data\":CHDIR D$:CHDIR "sub" + "\":PRINT "changed"
20 CHDIR 5
