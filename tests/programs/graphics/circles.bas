10 ' A circle, ellipses by aspect, an upper half arc, a pie and a filled disc.
20 CIRCLE (100,100),50
30 CIRCLE (300,100),50,2,,,2:CIRCLE (500,100),50,4,,,0.5
40 CIRCLE (100,250),50,,0,3.14
50 CIRCLE (300,250),50,6,-0.01,-1.57
60 CIRCLE (500,250),50,4,,,,F
