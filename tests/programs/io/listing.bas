10 ' FILES: folders first, then files, by name; the counter gives the first line one name fewer
20 FILES "box",3
30 FILES "box\"
40 FILES "a,b", 2
50 FILES "missing"
60 MKDIR "made":MKDIR "made":MKDIR "made\inner":FILES "made",4
