10 ' After RETURN into the middle of line 20, the last line read is still 100.
20 GOSUB 100:X=1/0
100 RETURN
