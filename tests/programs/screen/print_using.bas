10 PRINT USING "##.##";3.14159
20 PRINT USING "##.##";123.4
30 PRINT USING "+##";5
40 PRINT USING "##";-5
50 PRINT USING "#";-5
60 PRINT USING "## ##";1
70 PRINT USING "+##";-5
80 PRINT USING "x=#.## y=###";1.05,42;
90 PRINT "|"
100 ' A rounding that carries into the integer part carries.
110 PRINT USING "#.##";1.999
120 PRINT USING "###.#";-0.96
130 F$="#":PRINT USING F$;7
140 ' Every value is used, however many there are.
150 PRINT USING "# # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # # #";0;1;2;3;4;5;6;7;8;9;0;1;2;3;4;5;6;7;8;9;0;1;2;3;4;5;6;7;8;9;0;1;2;3;4;5;6;7;8;9;0;1;2;3;4;5;6;7;8;9;0;1;2;3;4;5;6;7;8;9
