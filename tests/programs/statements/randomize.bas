10 ' Seed 1: rnd draws the values after the first one.
20 RANDOMIZE 1:PRINT rnd;rnd
30 RANDOMIZE 1:PRINT rnd
40 ' The seed is the integer part of the value.
50 RANDOMIZE 1.9:PRINT rnd
60 RANDOMIZE 0:PRINT rnd
70 RANDOMIZE 2:PRINT RND
