10 REM Tones through the table, and octave and tempo kept from one PLAY to the next until CLEAR.
20 A$ = "@1O5"
30 PLAY A$ + "T240", "@11"
40 PLAY "C8.", "C"
50 CLEAR
60 PLAY "C16"
70 PLAY alloc 10
