10 ' KILL deletes; a file that is not there cannot be deleted
20 KILL "old.txt":PRINT "gone"
30 KILL "old" + ".txt"
