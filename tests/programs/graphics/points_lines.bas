10 ' Points in colour numbers and values; PRESET in the background colour, nothing when transparent.
20 PSET (10,10):PSET (11,10),2:PSET (12,10),-255
30 COLOR 7,1:PRESET (13,10):COLOR 7,-1:PRESET (14,10)
40 ' A line leaves out its end pixel; the next one goes on from there.
50 LINE (0,20)-(100,20):LINE -(100,50):LINE (0,30)-(50,30)
60 LINE (10,60)-STEP(5,5):PSET (20,60),4
70 LINE (0,80)-(9,89),,BF:LINE (20,80)-(29,89),2,BF,4:LINE (40,80)-(49,89),6,B
