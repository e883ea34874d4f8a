10 ' Tarnwick demo: values travel as text, exactly as the dialect defines them.
20 PRINT "こんにちは、Tarnwick!"
30 A = 1/3
40 PRINT "1/3 ="; A; "  and times 3 ="; A*3
50 N% = 7/2 : X! = 2/3
60 PRINT "7/2 as an integer:"; N%; "  2/3 as a single:"; X!
70 S$ = "Tarn" + "wick"
80 PRINT S$, "&HFF ="; &HFF, "7 MOD 3 ="; 7 MOD 3
90 END
