1 ' Arithmetic and string assignments: a loop body written out 380 times.
2 ' statements: 4184
10 I=0:S=0:T$="":U$="ab"
20 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
30 A%=S/3:B!=A%*1.5:C#=B!-S/7
40 T$="k"+U$:U$=T$+"z":V$=U$
50 D=NOT I AND 255 OR 16:E=-I+D\3
60 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
70 A%=S/3:B!=A%*1.5:C#=B!-S/7
80 T$="k"+U$:U$=T$+"z":V$=U$
90 D=NOT I AND 255 OR 16:E=-I+D\3
100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
110 A%=S/3:B!=A%*1.5:C#=B!-S/7
120 T$="k"+U$:U$=T$+"z":V$=U$
130 D=NOT I AND 255 OR 16:E=-I+D\3
140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
150 A%=S/3:B!=A%*1.5:C#=B!-S/7
160 T$="k"+U$:U$=T$+"z":V$=U$
170 D=NOT I AND 255 OR 16:E=-I+D\3
180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
190 A%=S/3:B!=A%*1.5:C#=B!-S/7
200 T$="k"+U$:U$=T$+"z":V$=U$
210 D=NOT I AND 255 OR 16:E=-I+D\3
220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
230 A%=S/3:B!=A%*1.5:C#=B!-S/7
240 T$="k"+U$:U$=T$+"z":V$=U$
250 D=NOT I AND 255 OR 16:E=-I+D\3
260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
270 A%=S/3:B!=A%*1.5:C#=B!-S/7
280 T$="k"+U$:U$=T$+"z":V$=U$
290 D=NOT I AND 255 OR 16:E=-I+D\3
300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
310 A%=S/3:B!=A%*1.5:C#=B!-S/7
320 T$="k"+U$:U$=T$+"z":V$=U$
330 D=NOT I AND 255 OR 16:E=-I+D\3
340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
350 A%=S/3:B!=A%*1.5:C#=B!-S/7
360 T$="k"+U$:U$=T$+"z":V$=U$
370 D=NOT I AND 255 OR 16:E=-I+D\3
380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
390 A%=S/3:B!=A%*1.5:C#=B!-S/7
400 T$="k"+U$:U$=T$+"z":V$=U$
410 D=NOT I AND 255 OR 16:E=-I+D\3
420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
430 A%=S/3:B!=A%*1.5:C#=B!-S/7
440 T$="k"+U$:U$=T$+"z":V$=U$
450 D=NOT I AND 255 OR 16:E=-I+D\3
460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
470 A%=S/3:B!=A%*1.5:C#=B!-S/7
480 T$="k"+U$:U$=T$+"z":V$=U$
490 D=NOT I AND 255 OR 16:E=-I+D\3
500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
510 A%=S/3:B!=A%*1.5:C#=B!-S/7
520 T$="k"+U$:U$=T$+"z":V$=U$
530 D=NOT I AND 255 OR 16:E=-I+D\3
540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
550 A%=S/3:B!=A%*1.5:C#=B!-S/7
560 T$="k"+U$:U$=T$+"z":V$=U$
570 D=NOT I AND 255 OR 16:E=-I+D\3
580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
590 A%=S/3:B!=A%*1.5:C#=B!-S/7
600 T$="k"+U$:U$=T$+"z":V$=U$
610 D=NOT I AND 255 OR 16:E=-I+D\3
620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
630 A%=S/3:B!=A%*1.5:C#=B!-S/7
640 T$="k"+U$:U$=T$+"z":V$=U$
650 D=NOT I AND 255 OR 16:E=-I+D\3
660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
670 A%=S/3:B!=A%*1.5:C#=B!-S/7
680 T$="k"+U$:U$=T$+"z":V$=U$
690 D=NOT I AND 255 OR 16:E=-I+D\3
700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
710 A%=S/3:B!=A%*1.5:C#=B!-S/7
720 T$="k"+U$:U$=T$+"z":V$=U$
730 D=NOT I AND 255 OR 16:E=-I+D\3
740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
750 A%=S/3:B!=A%*1.5:C#=B!-S/7
760 T$="k"+U$:U$=T$+"z":V$=U$
770 D=NOT I AND 255 OR 16:E=-I+D\3
780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
790 A%=S/3:B!=A%*1.5:C#=B!-S/7
800 T$="k"+U$:U$=T$+"z":V$=U$
810 D=NOT I AND 255 OR 16:E=-I+D\3
820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
830 A%=S/3:B!=A%*1.5:C#=B!-S/7
840 T$="k"+U$:U$=T$+"z":V$=U$
850 D=NOT I AND 255 OR 16:E=-I+D\3
860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
870 A%=S/3:B!=A%*1.5:C#=B!-S/7
880 T$="k"+U$:U$=T$+"z":V$=U$
890 D=NOT I AND 255 OR 16:E=-I+D\3
900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
910 A%=S/3:B!=A%*1.5:C#=B!-S/7
920 T$="k"+U$:U$=T$+"z":V$=U$
930 D=NOT I AND 255 OR 16:E=-I+D\3
940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
950 A%=S/3:B!=A%*1.5:C#=B!-S/7
960 T$="k"+U$:U$=T$+"z":V$=U$
970 D=NOT I AND 255 OR 16:E=-I+D\3
980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
990 A%=S/3:B!=A%*1.5:C#=B!-S/7
1000 T$="k"+U$:U$=T$+"z":V$=U$
1010 D=NOT I AND 255 OR 16:E=-I+D\3
1020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1030 A%=S/3:B!=A%*1.5:C#=B!-S/7
1040 T$="k"+U$:U$=T$+"z":V$=U$
1050 D=NOT I AND 255 OR 16:E=-I+D\3
1060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1070 A%=S/3:B!=A%*1.5:C#=B!-S/7
1080 T$="k"+U$:U$=T$+"z":V$=U$
1090 D=NOT I AND 255 OR 16:E=-I+D\3
1100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1110 A%=S/3:B!=A%*1.5:C#=B!-S/7
1120 T$="k"+U$:U$=T$+"z":V$=U$
1130 D=NOT I AND 255 OR 16:E=-I+D\3
1140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1150 A%=S/3:B!=A%*1.5:C#=B!-S/7
1160 T$="k"+U$:U$=T$+"z":V$=U$
1170 D=NOT I AND 255 OR 16:E=-I+D\3
1180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1190 A%=S/3:B!=A%*1.5:C#=B!-S/7
1200 T$="k"+U$:U$=T$+"z":V$=U$
1210 D=NOT I AND 255 OR 16:E=-I+D\3
1220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1230 A%=S/3:B!=A%*1.5:C#=B!-S/7
1240 T$="k"+U$:U$=T$+"z":V$=U$
1250 D=NOT I AND 255 OR 16:E=-I+D\3
1260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1270 A%=S/3:B!=A%*1.5:C#=B!-S/7
1280 T$="k"+U$:U$=T$+"z":V$=U$
1290 D=NOT I AND 255 OR 16:E=-I+D\3
1300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1310 A%=S/3:B!=A%*1.5:C#=B!-S/7
1320 T$="k"+U$:U$=T$+"z":V$=U$
1330 D=NOT I AND 255 OR 16:E=-I+D\3
1340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1350 A%=S/3:B!=A%*1.5:C#=B!-S/7
1360 T$="k"+U$:U$=T$+"z":V$=U$
1370 D=NOT I AND 255 OR 16:E=-I+D\3
1380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1390 A%=S/3:B!=A%*1.5:C#=B!-S/7
1400 T$="k"+U$:U$=T$+"z":V$=U$
1410 D=NOT I AND 255 OR 16:E=-I+D\3
1420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1430 A%=S/3:B!=A%*1.5:C#=B!-S/7
1440 T$="k"+U$:U$=T$+"z":V$=U$
1450 D=NOT I AND 255 OR 16:E=-I+D\3
1460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1470 A%=S/3:B!=A%*1.5:C#=B!-S/7
1480 T$="k"+U$:U$=T$+"z":V$=U$
1490 D=NOT I AND 255 OR 16:E=-I+D\3
1500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1510 A%=S/3:B!=A%*1.5:C#=B!-S/7
1520 T$="k"+U$:U$=T$+"z":V$=U$
1530 D=NOT I AND 255 OR 16:E=-I+D\3
1540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1550 A%=S/3:B!=A%*1.5:C#=B!-S/7
1560 T$="k"+U$:U$=T$+"z":V$=U$
1570 D=NOT I AND 255 OR 16:E=-I+D\3
1580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1590 A%=S/3:B!=A%*1.5:C#=B!-S/7
1600 T$="k"+U$:U$=T$+"z":V$=U$
1610 D=NOT I AND 255 OR 16:E=-I+D\3
1620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1630 A%=S/3:B!=A%*1.5:C#=B!-S/7
1640 T$="k"+U$:U$=T$+"z":V$=U$
1650 D=NOT I AND 255 OR 16:E=-I+D\3
1660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1670 A%=S/3:B!=A%*1.5:C#=B!-S/7
1680 T$="k"+U$:U$=T$+"z":V$=U$
1690 D=NOT I AND 255 OR 16:E=-I+D\3
1700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1710 A%=S/3:B!=A%*1.5:C#=B!-S/7
1720 T$="k"+U$:U$=T$+"z":V$=U$
1730 D=NOT I AND 255 OR 16:E=-I+D\3
1740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1750 A%=S/3:B!=A%*1.5:C#=B!-S/7
1760 T$="k"+U$:U$=T$+"z":V$=U$
1770 D=NOT I AND 255 OR 16:E=-I+D\3
1780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1790 A%=S/3:B!=A%*1.5:C#=B!-S/7
1800 T$="k"+U$:U$=T$+"z":V$=U$
1810 D=NOT I AND 255 OR 16:E=-I+D\3
1820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1830 A%=S/3:B!=A%*1.5:C#=B!-S/7
1840 T$="k"+U$:U$=T$+"z":V$=U$
1850 D=NOT I AND 255 OR 16:E=-I+D\3
1860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1870 A%=S/3:B!=A%*1.5:C#=B!-S/7
1880 T$="k"+U$:U$=T$+"z":V$=U$
1890 D=NOT I AND 255 OR 16:E=-I+D\3
1900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1910 A%=S/3:B!=A%*1.5:C#=B!-S/7
1920 T$="k"+U$:U$=T$+"z":V$=U$
1930 D=NOT I AND 255 OR 16:E=-I+D\3
1940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1950 A%=S/3:B!=A%*1.5:C#=B!-S/7
1960 T$="k"+U$:U$=T$+"z":V$=U$
1970 D=NOT I AND 255 OR 16:E=-I+D\3
1980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
1990 A%=S/3:B!=A%*1.5:C#=B!-S/7
2000 T$="k"+U$:U$=T$+"z":V$=U$
2010 D=NOT I AND 255 OR 16:E=-I+D\3
2020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2030 A%=S/3:B!=A%*1.5:C#=B!-S/7
2040 T$="k"+U$:U$=T$+"z":V$=U$
2050 D=NOT I AND 255 OR 16:E=-I+D\3
2060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2070 A%=S/3:B!=A%*1.5:C#=B!-S/7
2080 T$="k"+U$:U$=T$+"z":V$=U$
2090 D=NOT I AND 255 OR 16:E=-I+D\3
2100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2110 A%=S/3:B!=A%*1.5:C#=B!-S/7
2120 T$="k"+U$:U$=T$+"z":V$=U$
2130 D=NOT I AND 255 OR 16:E=-I+D\3
2140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2150 A%=S/3:B!=A%*1.5:C#=B!-S/7
2160 T$="k"+U$:U$=T$+"z":V$=U$
2170 D=NOT I AND 255 OR 16:E=-I+D\3
2180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2190 A%=S/3:B!=A%*1.5:C#=B!-S/7
2200 T$="k"+U$:U$=T$+"z":V$=U$
2210 D=NOT I AND 255 OR 16:E=-I+D\3
2220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2230 A%=S/3:B!=A%*1.5:C#=B!-S/7
2240 T$="k"+U$:U$=T$+"z":V$=U$
2250 D=NOT I AND 255 OR 16:E=-I+D\3
2260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2270 A%=S/3:B!=A%*1.5:C#=B!-S/7
2280 T$="k"+U$:U$=T$+"z":V$=U$
2290 D=NOT I AND 255 OR 16:E=-I+D\3
2300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2310 A%=S/3:B!=A%*1.5:C#=B!-S/7
2320 T$="k"+U$:U$=T$+"z":V$=U$
2330 D=NOT I AND 255 OR 16:E=-I+D\3
2340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2350 A%=S/3:B!=A%*1.5:C#=B!-S/7
2360 T$="k"+U$:U$=T$+"z":V$=U$
2370 D=NOT I AND 255 OR 16:E=-I+D\3
2380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2390 A%=S/3:B!=A%*1.5:C#=B!-S/7
2400 T$="k"+U$:U$=T$+"z":V$=U$
2410 D=NOT I AND 255 OR 16:E=-I+D\3
2420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2430 A%=S/3:B!=A%*1.5:C#=B!-S/7
2440 T$="k"+U$:U$=T$+"z":V$=U$
2450 D=NOT I AND 255 OR 16:E=-I+D\3
2460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2470 A%=S/3:B!=A%*1.5:C#=B!-S/7
2480 T$="k"+U$:U$=T$+"z":V$=U$
2490 D=NOT I AND 255 OR 16:E=-I+D\3
2500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2510 A%=S/3:B!=A%*1.5:C#=B!-S/7
2520 T$="k"+U$:U$=T$+"z":V$=U$
2530 D=NOT I AND 255 OR 16:E=-I+D\3
2540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2550 A%=S/3:B!=A%*1.5:C#=B!-S/7
2560 T$="k"+U$:U$=T$+"z":V$=U$
2570 D=NOT I AND 255 OR 16:E=-I+D\3
2580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2590 A%=S/3:B!=A%*1.5:C#=B!-S/7
2600 T$="k"+U$:U$=T$+"z":V$=U$
2610 D=NOT I AND 255 OR 16:E=-I+D\3
2620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2630 A%=S/3:B!=A%*1.5:C#=B!-S/7
2640 T$="k"+U$:U$=T$+"z":V$=U$
2650 D=NOT I AND 255 OR 16:E=-I+D\3
2660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2670 A%=S/3:B!=A%*1.5:C#=B!-S/7
2680 T$="k"+U$:U$=T$+"z":V$=U$
2690 D=NOT I AND 255 OR 16:E=-I+D\3
2700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2710 A%=S/3:B!=A%*1.5:C#=B!-S/7
2720 T$="k"+U$:U$=T$+"z":V$=U$
2730 D=NOT I AND 255 OR 16:E=-I+D\3
2740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2750 A%=S/3:B!=A%*1.5:C#=B!-S/7
2760 T$="k"+U$:U$=T$+"z":V$=U$
2770 D=NOT I AND 255 OR 16:E=-I+D\3
2780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2790 A%=S/3:B!=A%*1.5:C#=B!-S/7
2800 T$="k"+U$:U$=T$+"z":V$=U$
2810 D=NOT I AND 255 OR 16:E=-I+D\3
2820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2830 A%=S/3:B!=A%*1.5:C#=B!-S/7
2840 T$="k"+U$:U$=T$+"z":V$=U$
2850 D=NOT I AND 255 OR 16:E=-I+D\3
2860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2870 A%=S/3:B!=A%*1.5:C#=B!-S/7
2880 T$="k"+U$:U$=T$+"z":V$=U$
2890 D=NOT I AND 255 OR 16:E=-I+D\3
2900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2910 A%=S/3:B!=A%*1.5:C#=B!-S/7
2920 T$="k"+U$:U$=T$+"z":V$=U$
2930 D=NOT I AND 255 OR 16:E=-I+D\3
2940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2950 A%=S/3:B!=A%*1.5:C#=B!-S/7
2960 T$="k"+U$:U$=T$+"z":V$=U$
2970 D=NOT I AND 255 OR 16:E=-I+D\3
2980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
2990 A%=S/3:B!=A%*1.5:C#=B!-S/7
3000 T$="k"+U$:U$=T$+"z":V$=U$
3010 D=NOT I AND 255 OR 16:E=-I+D\3
3020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3030 A%=S/3:B!=A%*1.5:C#=B!-S/7
3040 T$="k"+U$:U$=T$+"z":V$=U$
3050 D=NOT I AND 255 OR 16:E=-I+D\3
3060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3070 A%=S/3:B!=A%*1.5:C#=B!-S/7
3080 T$="k"+U$:U$=T$+"z":V$=U$
3090 D=NOT I AND 255 OR 16:E=-I+D\3
3100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3110 A%=S/3:B!=A%*1.5:C#=B!-S/7
3120 T$="k"+U$:U$=T$+"z":V$=U$
3130 D=NOT I AND 255 OR 16:E=-I+D\3
3140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3150 A%=S/3:B!=A%*1.5:C#=B!-S/7
3160 T$="k"+U$:U$=T$+"z":V$=U$
3170 D=NOT I AND 255 OR 16:E=-I+D\3
3180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3190 A%=S/3:B!=A%*1.5:C#=B!-S/7
3200 T$="k"+U$:U$=T$+"z":V$=U$
3210 D=NOT I AND 255 OR 16:E=-I+D\3
3220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3230 A%=S/3:B!=A%*1.5:C#=B!-S/7
3240 T$="k"+U$:U$=T$+"z":V$=U$
3250 D=NOT I AND 255 OR 16:E=-I+D\3
3260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3270 A%=S/3:B!=A%*1.5:C#=B!-S/7
3280 T$="k"+U$:U$=T$+"z":V$=U$
3290 D=NOT I AND 255 OR 16:E=-I+D\3
3300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3310 A%=S/3:B!=A%*1.5:C#=B!-S/7
3320 T$="k"+U$:U$=T$+"z":V$=U$
3330 D=NOT I AND 255 OR 16:E=-I+D\3
3340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3350 A%=S/3:B!=A%*1.5:C#=B!-S/7
3360 T$="k"+U$:U$=T$+"z":V$=U$
3370 D=NOT I AND 255 OR 16:E=-I+D\3
3380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3390 A%=S/3:B!=A%*1.5:C#=B!-S/7
3400 T$="k"+U$:U$=T$+"z":V$=U$
3410 D=NOT I AND 255 OR 16:E=-I+D\3
3420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3430 A%=S/3:B!=A%*1.5:C#=B!-S/7
3440 T$="k"+U$:U$=T$+"z":V$=U$
3450 D=NOT I AND 255 OR 16:E=-I+D\3
3460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3470 A%=S/3:B!=A%*1.5:C#=B!-S/7
3480 T$="k"+U$:U$=T$+"z":V$=U$
3490 D=NOT I AND 255 OR 16:E=-I+D\3
3500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3510 A%=S/3:B!=A%*1.5:C#=B!-S/7
3520 T$="k"+U$:U$=T$+"z":V$=U$
3530 D=NOT I AND 255 OR 16:E=-I+D\3
3540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3550 A%=S/3:B!=A%*1.5:C#=B!-S/7
3560 T$="k"+U$:U$=T$+"z":V$=U$
3570 D=NOT I AND 255 OR 16:E=-I+D\3
3580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3590 A%=S/3:B!=A%*1.5:C#=B!-S/7
3600 T$="k"+U$:U$=T$+"z":V$=U$
3610 D=NOT I AND 255 OR 16:E=-I+D\3
3620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3630 A%=S/3:B!=A%*1.5:C#=B!-S/7
3640 T$="k"+U$:U$=T$+"z":V$=U$
3650 D=NOT I AND 255 OR 16:E=-I+D\3
3660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3670 A%=S/3:B!=A%*1.5:C#=B!-S/7
3680 T$="k"+U$:U$=T$+"z":V$=U$
3690 D=NOT I AND 255 OR 16:E=-I+D\3
3700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3710 A%=S/3:B!=A%*1.5:C#=B!-S/7
3720 T$="k"+U$:U$=T$+"z":V$=U$
3730 D=NOT I AND 255 OR 16:E=-I+D\3
3740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3750 A%=S/3:B!=A%*1.5:C#=B!-S/7
3760 T$="k"+U$:U$=T$+"z":V$=U$
3770 D=NOT I AND 255 OR 16:E=-I+D\3
3780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3790 A%=S/3:B!=A%*1.5:C#=B!-S/7
3800 T$="k"+U$:U$=T$+"z":V$=U$
3810 D=NOT I AND 255 OR 16:E=-I+D\3
3820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3830 A%=S/3:B!=A%*1.5:C#=B!-S/7
3840 T$="k"+U$:U$=T$+"z":V$=U$
3850 D=NOT I AND 255 OR 16:E=-I+D\3
3860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3870 A%=S/3:B!=A%*1.5:C#=B!-S/7
3880 T$="k"+U$:U$=T$+"z":V$=U$
3890 D=NOT I AND 255 OR 16:E=-I+D\3
3900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3910 A%=S/3:B!=A%*1.5:C#=B!-S/7
3920 T$="k"+U$:U$=T$+"z":V$=U$
3930 D=NOT I AND 255 OR 16:E=-I+D\3
3940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3950 A%=S/3:B!=A%*1.5:C#=B!-S/7
3960 T$="k"+U$:U$=T$+"z":V$=U$
3970 D=NOT I AND 255 OR 16:E=-I+D\3
3980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
3990 A%=S/3:B!=A%*1.5:C#=B!-S/7
4000 T$="k"+U$:U$=T$+"z":V$=U$
4010 D=NOT I AND 255 OR 16:E=-I+D\3
4020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4030 A%=S/3:B!=A%*1.5:C#=B!-S/7
4040 T$="k"+U$:U$=T$+"z":V$=U$
4050 D=NOT I AND 255 OR 16:E=-I+D\3
4060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4070 A%=S/3:B!=A%*1.5:C#=B!-S/7
4080 T$="k"+U$:U$=T$+"z":V$=U$
4090 D=NOT I AND 255 OR 16:E=-I+D\3
4100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4110 A%=S/3:B!=A%*1.5:C#=B!-S/7
4120 T$="k"+U$:U$=T$+"z":V$=U$
4130 D=NOT I AND 255 OR 16:E=-I+D\3
4140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4150 A%=S/3:B!=A%*1.5:C#=B!-S/7
4160 T$="k"+U$:U$=T$+"z":V$=U$
4170 D=NOT I AND 255 OR 16:E=-I+D\3
4180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4190 A%=S/3:B!=A%*1.5:C#=B!-S/7
4200 T$="k"+U$:U$=T$+"z":V$=U$
4210 D=NOT I AND 255 OR 16:E=-I+D\3
4220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4230 A%=S/3:B!=A%*1.5:C#=B!-S/7
4240 T$="k"+U$:U$=T$+"z":V$=U$
4250 D=NOT I AND 255 OR 16:E=-I+D\3
4260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4270 A%=S/3:B!=A%*1.5:C#=B!-S/7
4280 T$="k"+U$:U$=T$+"z":V$=U$
4290 D=NOT I AND 255 OR 16:E=-I+D\3
4300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4310 A%=S/3:B!=A%*1.5:C#=B!-S/7
4320 T$="k"+U$:U$=T$+"z":V$=U$
4330 D=NOT I AND 255 OR 16:E=-I+D\3
4340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4350 A%=S/3:B!=A%*1.5:C#=B!-S/7
4360 T$="k"+U$:U$=T$+"z":V$=U$
4370 D=NOT I AND 255 OR 16:E=-I+D\3
4380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4390 A%=S/3:B!=A%*1.5:C#=B!-S/7
4400 T$="k"+U$:U$=T$+"z":V$=U$
4410 D=NOT I AND 255 OR 16:E=-I+D\3
4420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4430 A%=S/3:B!=A%*1.5:C#=B!-S/7
4440 T$="k"+U$:U$=T$+"z":V$=U$
4450 D=NOT I AND 255 OR 16:E=-I+D\3
4460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4470 A%=S/3:B!=A%*1.5:C#=B!-S/7
4480 T$="k"+U$:U$=T$+"z":V$=U$
4490 D=NOT I AND 255 OR 16:E=-I+D\3
4500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4510 A%=S/3:B!=A%*1.5:C#=B!-S/7
4520 T$="k"+U$:U$=T$+"z":V$=U$
4530 D=NOT I AND 255 OR 16:E=-I+D\3
4540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4550 A%=S/3:B!=A%*1.5:C#=B!-S/7
4560 T$="k"+U$:U$=T$+"z":V$=U$
4570 D=NOT I AND 255 OR 16:E=-I+D\3
4580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4590 A%=S/3:B!=A%*1.5:C#=B!-S/7
4600 T$="k"+U$:U$=T$+"z":V$=U$
4610 D=NOT I AND 255 OR 16:E=-I+D\3
4620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4630 A%=S/3:B!=A%*1.5:C#=B!-S/7
4640 T$="k"+U$:U$=T$+"z":V$=U$
4650 D=NOT I AND 255 OR 16:E=-I+D\3
4660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4670 A%=S/3:B!=A%*1.5:C#=B!-S/7
4680 T$="k"+U$:U$=T$+"z":V$=U$
4690 D=NOT I AND 255 OR 16:E=-I+D\3
4700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4710 A%=S/3:B!=A%*1.5:C#=B!-S/7
4720 T$="k"+U$:U$=T$+"z":V$=U$
4730 D=NOT I AND 255 OR 16:E=-I+D\3
4740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4750 A%=S/3:B!=A%*1.5:C#=B!-S/7
4760 T$="k"+U$:U$=T$+"z":V$=U$
4770 D=NOT I AND 255 OR 16:E=-I+D\3
4780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4790 A%=S/3:B!=A%*1.5:C#=B!-S/7
4800 T$="k"+U$:U$=T$+"z":V$=U$
4810 D=NOT I AND 255 OR 16:E=-I+D\3
4820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4830 A%=S/3:B!=A%*1.5:C#=B!-S/7
4840 T$="k"+U$:U$=T$+"z":V$=U$
4850 D=NOT I AND 255 OR 16:E=-I+D\3
4860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4870 A%=S/3:B!=A%*1.5:C#=B!-S/7
4880 T$="k"+U$:U$=T$+"z":V$=U$
4890 D=NOT I AND 255 OR 16:E=-I+D\3
4900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4910 A%=S/3:B!=A%*1.5:C#=B!-S/7
4920 T$="k"+U$:U$=T$+"z":V$=U$
4930 D=NOT I AND 255 OR 16:E=-I+D\3
4940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4950 A%=S/3:B!=A%*1.5:C#=B!-S/7
4960 T$="k"+U$:U$=T$+"z":V$=U$
4970 D=NOT I AND 255 OR 16:E=-I+D\3
4980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
4990 A%=S/3:B!=A%*1.5:C#=B!-S/7
5000 T$="k"+U$:U$=T$+"z":V$=U$
5010 D=NOT I AND 255 OR 16:E=-I+D\3
5020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5030 A%=S/3:B!=A%*1.5:C#=B!-S/7
5040 T$="k"+U$:U$=T$+"z":V$=U$
5050 D=NOT I AND 255 OR 16:E=-I+D\3
5060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5070 A%=S/3:B!=A%*1.5:C#=B!-S/7
5080 T$="k"+U$:U$=T$+"z":V$=U$
5090 D=NOT I AND 255 OR 16:E=-I+D\3
5100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5110 A%=S/3:B!=A%*1.5:C#=B!-S/7
5120 T$="k"+U$:U$=T$+"z":V$=U$
5130 D=NOT I AND 255 OR 16:E=-I+D\3
5140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5150 A%=S/3:B!=A%*1.5:C#=B!-S/7
5160 T$="k"+U$:U$=T$+"z":V$=U$
5170 D=NOT I AND 255 OR 16:E=-I+D\3
5180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5190 A%=S/3:B!=A%*1.5:C#=B!-S/7
5200 T$="k"+U$:U$=T$+"z":V$=U$
5210 D=NOT I AND 255 OR 16:E=-I+D\3
5220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5230 A%=S/3:B!=A%*1.5:C#=B!-S/7
5240 T$="k"+U$:U$=T$+"z":V$=U$
5250 D=NOT I AND 255 OR 16:E=-I+D\3
5260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5270 A%=S/3:B!=A%*1.5:C#=B!-S/7
5280 T$="k"+U$:U$=T$+"z":V$=U$
5290 D=NOT I AND 255 OR 16:E=-I+D\3
5300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5310 A%=S/3:B!=A%*1.5:C#=B!-S/7
5320 T$="k"+U$:U$=T$+"z":V$=U$
5330 D=NOT I AND 255 OR 16:E=-I+D\3
5340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5350 A%=S/3:B!=A%*1.5:C#=B!-S/7
5360 T$="k"+U$:U$=T$+"z":V$=U$
5370 D=NOT I AND 255 OR 16:E=-I+D\3
5380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5390 A%=S/3:B!=A%*1.5:C#=B!-S/7
5400 T$="k"+U$:U$=T$+"z":V$=U$
5410 D=NOT I AND 255 OR 16:E=-I+D\3
5420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5430 A%=S/3:B!=A%*1.5:C#=B!-S/7
5440 T$="k"+U$:U$=T$+"z":V$=U$
5450 D=NOT I AND 255 OR 16:E=-I+D\3
5460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5470 A%=S/3:B!=A%*1.5:C#=B!-S/7
5480 T$="k"+U$:U$=T$+"z":V$=U$
5490 D=NOT I AND 255 OR 16:E=-I+D\3
5500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5510 A%=S/3:B!=A%*1.5:C#=B!-S/7
5520 T$="k"+U$:U$=T$+"z":V$=U$
5530 D=NOT I AND 255 OR 16:E=-I+D\3
5540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5550 A%=S/3:B!=A%*1.5:C#=B!-S/7
5560 T$="k"+U$:U$=T$+"z":V$=U$
5570 D=NOT I AND 255 OR 16:E=-I+D\3
5580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5590 A%=S/3:B!=A%*1.5:C#=B!-S/7
5600 T$="k"+U$:U$=T$+"z":V$=U$
5610 D=NOT I AND 255 OR 16:E=-I+D\3
5620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5630 A%=S/3:B!=A%*1.5:C#=B!-S/7
5640 T$="k"+U$:U$=T$+"z":V$=U$
5650 D=NOT I AND 255 OR 16:E=-I+D\3
5660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5670 A%=S/3:B!=A%*1.5:C#=B!-S/7
5680 T$="k"+U$:U$=T$+"z":V$=U$
5690 D=NOT I AND 255 OR 16:E=-I+D\3
5700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5710 A%=S/3:B!=A%*1.5:C#=B!-S/7
5720 T$="k"+U$:U$=T$+"z":V$=U$
5730 D=NOT I AND 255 OR 16:E=-I+D\3
5740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5750 A%=S/3:B!=A%*1.5:C#=B!-S/7
5760 T$="k"+U$:U$=T$+"z":V$=U$
5770 D=NOT I AND 255 OR 16:E=-I+D\3
5780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5790 A%=S/3:B!=A%*1.5:C#=B!-S/7
5800 T$="k"+U$:U$=T$+"z":V$=U$
5810 D=NOT I AND 255 OR 16:E=-I+D\3
5820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5830 A%=S/3:B!=A%*1.5:C#=B!-S/7
5840 T$="k"+U$:U$=T$+"z":V$=U$
5850 D=NOT I AND 255 OR 16:E=-I+D\3
5860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5870 A%=S/3:B!=A%*1.5:C#=B!-S/7
5880 T$="k"+U$:U$=T$+"z":V$=U$
5890 D=NOT I AND 255 OR 16:E=-I+D\3
5900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5910 A%=S/3:B!=A%*1.5:C#=B!-S/7
5920 T$="k"+U$:U$=T$+"z":V$=U$
5930 D=NOT I AND 255 OR 16:E=-I+D\3
5940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5950 A%=S/3:B!=A%*1.5:C#=B!-S/7
5960 T$="k"+U$:U$=T$+"z":V$=U$
5970 D=NOT I AND 255 OR 16:E=-I+D\3
5980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
5990 A%=S/3:B!=A%*1.5:C#=B!-S/7
6000 T$="k"+U$:U$=T$+"z":V$=U$
6010 D=NOT I AND 255 OR 16:E=-I+D\3
6020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6030 A%=S/3:B!=A%*1.5:C#=B!-S/7
6040 T$="k"+U$:U$=T$+"z":V$=U$
6050 D=NOT I AND 255 OR 16:E=-I+D\3
6060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6070 A%=S/3:B!=A%*1.5:C#=B!-S/7
6080 T$="k"+U$:U$=T$+"z":V$=U$
6090 D=NOT I AND 255 OR 16:E=-I+D\3
6100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6110 A%=S/3:B!=A%*1.5:C#=B!-S/7
6120 T$="k"+U$:U$=T$+"z":V$=U$
6130 D=NOT I AND 255 OR 16:E=-I+D\3
6140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6150 A%=S/3:B!=A%*1.5:C#=B!-S/7
6160 T$="k"+U$:U$=T$+"z":V$=U$
6170 D=NOT I AND 255 OR 16:E=-I+D\3
6180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6190 A%=S/3:B!=A%*1.5:C#=B!-S/7
6200 T$="k"+U$:U$=T$+"z":V$=U$
6210 D=NOT I AND 255 OR 16:E=-I+D\3
6220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6230 A%=S/3:B!=A%*1.5:C#=B!-S/7
6240 T$="k"+U$:U$=T$+"z":V$=U$
6250 D=NOT I AND 255 OR 16:E=-I+D\3
6260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6270 A%=S/3:B!=A%*1.5:C#=B!-S/7
6280 T$="k"+U$:U$=T$+"z":V$=U$
6290 D=NOT I AND 255 OR 16:E=-I+D\3
6300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6310 A%=S/3:B!=A%*1.5:C#=B!-S/7
6320 T$="k"+U$:U$=T$+"z":V$=U$
6330 D=NOT I AND 255 OR 16:E=-I+D\3
6340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6350 A%=S/3:B!=A%*1.5:C#=B!-S/7
6360 T$="k"+U$:U$=T$+"z":V$=U$
6370 D=NOT I AND 255 OR 16:E=-I+D\3
6380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6390 A%=S/3:B!=A%*1.5:C#=B!-S/7
6400 T$="k"+U$:U$=T$+"z":V$=U$
6410 D=NOT I AND 255 OR 16:E=-I+D\3
6420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6430 A%=S/3:B!=A%*1.5:C#=B!-S/7
6440 T$="k"+U$:U$=T$+"z":V$=U$
6450 D=NOT I AND 255 OR 16:E=-I+D\3
6460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6470 A%=S/3:B!=A%*1.5:C#=B!-S/7
6480 T$="k"+U$:U$=T$+"z":V$=U$
6490 D=NOT I AND 255 OR 16:E=-I+D\3
6500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6510 A%=S/3:B!=A%*1.5:C#=B!-S/7
6520 T$="k"+U$:U$=T$+"z":V$=U$
6530 D=NOT I AND 255 OR 16:E=-I+D\3
6540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6550 A%=S/3:B!=A%*1.5:C#=B!-S/7
6560 T$="k"+U$:U$=T$+"z":V$=U$
6570 D=NOT I AND 255 OR 16:E=-I+D\3
6580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6590 A%=S/3:B!=A%*1.5:C#=B!-S/7
6600 T$="k"+U$:U$=T$+"z":V$=U$
6610 D=NOT I AND 255 OR 16:E=-I+D\3
6620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6630 A%=S/3:B!=A%*1.5:C#=B!-S/7
6640 T$="k"+U$:U$=T$+"z":V$=U$
6650 D=NOT I AND 255 OR 16:E=-I+D\3
6660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6670 A%=S/3:B!=A%*1.5:C#=B!-S/7
6680 T$="k"+U$:U$=T$+"z":V$=U$
6690 D=NOT I AND 255 OR 16:E=-I+D\3
6700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6710 A%=S/3:B!=A%*1.5:C#=B!-S/7
6720 T$="k"+U$:U$=T$+"z":V$=U$
6730 D=NOT I AND 255 OR 16:E=-I+D\3
6740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6750 A%=S/3:B!=A%*1.5:C#=B!-S/7
6760 T$="k"+U$:U$=T$+"z":V$=U$
6770 D=NOT I AND 255 OR 16:E=-I+D\3
6780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6790 A%=S/3:B!=A%*1.5:C#=B!-S/7
6800 T$="k"+U$:U$=T$+"z":V$=U$
6810 D=NOT I AND 255 OR 16:E=-I+D\3
6820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6830 A%=S/3:B!=A%*1.5:C#=B!-S/7
6840 T$="k"+U$:U$=T$+"z":V$=U$
6850 D=NOT I AND 255 OR 16:E=-I+D\3
6860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6870 A%=S/3:B!=A%*1.5:C#=B!-S/7
6880 T$="k"+U$:U$=T$+"z":V$=U$
6890 D=NOT I AND 255 OR 16:E=-I+D\3
6900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6910 A%=S/3:B!=A%*1.5:C#=B!-S/7
6920 T$="k"+U$:U$=T$+"z":V$=U$
6930 D=NOT I AND 255 OR 16:E=-I+D\3
6940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6950 A%=S/3:B!=A%*1.5:C#=B!-S/7
6960 T$="k"+U$:U$=T$+"z":V$=U$
6970 D=NOT I AND 255 OR 16:E=-I+D\3
6980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
6990 A%=S/3:B!=A%*1.5:C#=B!-S/7
7000 T$="k"+U$:U$=T$+"z":V$=U$
7010 D=NOT I AND 255 OR 16:E=-I+D\3
7020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7030 A%=S/3:B!=A%*1.5:C#=B!-S/7
7040 T$="k"+U$:U$=T$+"z":V$=U$
7050 D=NOT I AND 255 OR 16:E=-I+D\3
7060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7070 A%=S/3:B!=A%*1.5:C#=B!-S/7
7080 T$="k"+U$:U$=T$+"z":V$=U$
7090 D=NOT I AND 255 OR 16:E=-I+D\3
7100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7110 A%=S/3:B!=A%*1.5:C#=B!-S/7
7120 T$="k"+U$:U$=T$+"z":V$=U$
7130 D=NOT I AND 255 OR 16:E=-I+D\3
7140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7150 A%=S/3:B!=A%*1.5:C#=B!-S/7
7160 T$="k"+U$:U$=T$+"z":V$=U$
7170 D=NOT I AND 255 OR 16:E=-I+D\3
7180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7190 A%=S/3:B!=A%*1.5:C#=B!-S/7
7200 T$="k"+U$:U$=T$+"z":V$=U$
7210 D=NOT I AND 255 OR 16:E=-I+D\3
7220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7230 A%=S/3:B!=A%*1.5:C#=B!-S/7
7240 T$="k"+U$:U$=T$+"z":V$=U$
7250 D=NOT I AND 255 OR 16:E=-I+D\3
7260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7270 A%=S/3:B!=A%*1.5:C#=B!-S/7
7280 T$="k"+U$:U$=T$+"z":V$=U$
7290 D=NOT I AND 255 OR 16:E=-I+D\3
7300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7310 A%=S/3:B!=A%*1.5:C#=B!-S/7
7320 T$="k"+U$:U$=T$+"z":V$=U$
7330 D=NOT I AND 255 OR 16:E=-I+D\3
7340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7350 A%=S/3:B!=A%*1.5:C#=B!-S/7
7360 T$="k"+U$:U$=T$+"z":V$=U$
7370 D=NOT I AND 255 OR 16:E=-I+D\3
7380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7390 A%=S/3:B!=A%*1.5:C#=B!-S/7
7400 T$="k"+U$:U$=T$+"z":V$=U$
7410 D=NOT I AND 255 OR 16:E=-I+D\3
7420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7430 A%=S/3:B!=A%*1.5:C#=B!-S/7
7440 T$="k"+U$:U$=T$+"z":V$=U$
7450 D=NOT I AND 255 OR 16:E=-I+D\3
7460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7470 A%=S/3:B!=A%*1.5:C#=B!-S/7
7480 T$="k"+U$:U$=T$+"z":V$=U$
7490 D=NOT I AND 255 OR 16:E=-I+D\3
7500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7510 A%=S/3:B!=A%*1.5:C#=B!-S/7
7520 T$="k"+U$:U$=T$+"z":V$=U$
7530 D=NOT I AND 255 OR 16:E=-I+D\3
7540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7550 A%=S/3:B!=A%*1.5:C#=B!-S/7
7560 T$="k"+U$:U$=T$+"z":V$=U$
7570 D=NOT I AND 255 OR 16:E=-I+D\3
7580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7590 A%=S/3:B!=A%*1.5:C#=B!-S/7
7600 T$="k"+U$:U$=T$+"z":V$=U$
7610 D=NOT I AND 255 OR 16:E=-I+D\3
7620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7630 A%=S/3:B!=A%*1.5:C#=B!-S/7
7640 T$="k"+U$:U$=T$+"z":V$=U$
7650 D=NOT I AND 255 OR 16:E=-I+D\3
7660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7670 A%=S/3:B!=A%*1.5:C#=B!-S/7
7680 T$="k"+U$:U$=T$+"z":V$=U$
7690 D=NOT I AND 255 OR 16:E=-I+D\3
7700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7710 A%=S/3:B!=A%*1.5:C#=B!-S/7
7720 T$="k"+U$:U$=T$+"z":V$=U$
7730 D=NOT I AND 255 OR 16:E=-I+D\3
7740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7750 A%=S/3:B!=A%*1.5:C#=B!-S/7
7760 T$="k"+U$:U$=T$+"z":V$=U$
7770 D=NOT I AND 255 OR 16:E=-I+D\3
7780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7790 A%=S/3:B!=A%*1.5:C#=B!-S/7
7800 T$="k"+U$:U$=T$+"z":V$=U$
7810 D=NOT I AND 255 OR 16:E=-I+D\3
7820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7830 A%=S/3:B!=A%*1.5:C#=B!-S/7
7840 T$="k"+U$:U$=T$+"z":V$=U$
7850 D=NOT I AND 255 OR 16:E=-I+D\3
7860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7870 A%=S/3:B!=A%*1.5:C#=B!-S/7
7880 T$="k"+U$:U$=T$+"z":V$=U$
7890 D=NOT I AND 255 OR 16:E=-I+D\3
7900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7910 A%=S/3:B!=A%*1.5:C#=B!-S/7
7920 T$="k"+U$:U$=T$+"z":V$=U$
7930 D=NOT I AND 255 OR 16:E=-I+D\3
7940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7950 A%=S/3:B!=A%*1.5:C#=B!-S/7
7960 T$="k"+U$:U$=T$+"z":V$=U$
7970 D=NOT I AND 255 OR 16:E=-I+D\3
7980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
7990 A%=S/3:B!=A%*1.5:C#=B!-S/7
8000 T$="k"+U$:U$=T$+"z":V$=U$
8010 D=NOT I AND 255 OR 16:E=-I+D\3
8020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8030 A%=S/3:B!=A%*1.5:C#=B!-S/7
8040 T$="k"+U$:U$=T$+"z":V$=U$
8050 D=NOT I AND 255 OR 16:E=-I+D\3
8060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8070 A%=S/3:B!=A%*1.5:C#=B!-S/7
8080 T$="k"+U$:U$=T$+"z":V$=U$
8090 D=NOT I AND 255 OR 16:E=-I+D\3
8100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8110 A%=S/3:B!=A%*1.5:C#=B!-S/7
8120 T$="k"+U$:U$=T$+"z":V$=U$
8130 D=NOT I AND 255 OR 16:E=-I+D\3
8140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8150 A%=S/3:B!=A%*1.5:C#=B!-S/7
8160 T$="k"+U$:U$=T$+"z":V$=U$
8170 D=NOT I AND 255 OR 16:E=-I+D\3
8180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8190 A%=S/3:B!=A%*1.5:C#=B!-S/7
8200 T$="k"+U$:U$=T$+"z":V$=U$
8210 D=NOT I AND 255 OR 16:E=-I+D\3
8220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8230 A%=S/3:B!=A%*1.5:C#=B!-S/7
8240 T$="k"+U$:U$=T$+"z":V$=U$
8250 D=NOT I AND 255 OR 16:E=-I+D\3
8260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8270 A%=S/3:B!=A%*1.5:C#=B!-S/7
8280 T$="k"+U$:U$=T$+"z":V$=U$
8290 D=NOT I AND 255 OR 16:E=-I+D\3
8300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8310 A%=S/3:B!=A%*1.5:C#=B!-S/7
8320 T$="k"+U$:U$=T$+"z":V$=U$
8330 D=NOT I AND 255 OR 16:E=-I+D\3
8340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8350 A%=S/3:B!=A%*1.5:C#=B!-S/7
8360 T$="k"+U$:U$=T$+"z":V$=U$
8370 D=NOT I AND 255 OR 16:E=-I+D\3
8380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8390 A%=S/3:B!=A%*1.5:C#=B!-S/7
8400 T$="k"+U$:U$=T$+"z":V$=U$
8410 D=NOT I AND 255 OR 16:E=-I+D\3
8420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8430 A%=S/3:B!=A%*1.5:C#=B!-S/7
8440 T$="k"+U$:U$=T$+"z":V$=U$
8450 D=NOT I AND 255 OR 16:E=-I+D\3
8460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8470 A%=S/3:B!=A%*1.5:C#=B!-S/7
8480 T$="k"+U$:U$=T$+"z":V$=U$
8490 D=NOT I AND 255 OR 16:E=-I+D\3
8500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8510 A%=S/3:B!=A%*1.5:C#=B!-S/7
8520 T$="k"+U$:U$=T$+"z":V$=U$
8530 D=NOT I AND 255 OR 16:E=-I+D\3
8540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8550 A%=S/3:B!=A%*1.5:C#=B!-S/7
8560 T$="k"+U$:U$=T$+"z":V$=U$
8570 D=NOT I AND 255 OR 16:E=-I+D\3
8580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8590 A%=S/3:B!=A%*1.5:C#=B!-S/7
8600 T$="k"+U$:U$=T$+"z":V$=U$
8610 D=NOT I AND 255 OR 16:E=-I+D\3
8620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8630 A%=S/3:B!=A%*1.5:C#=B!-S/7
8640 T$="k"+U$:U$=T$+"z":V$=U$
8650 D=NOT I AND 255 OR 16:E=-I+D\3
8660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8670 A%=S/3:B!=A%*1.5:C#=B!-S/7
8680 T$="k"+U$:U$=T$+"z":V$=U$
8690 D=NOT I AND 255 OR 16:E=-I+D\3
8700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8710 A%=S/3:B!=A%*1.5:C#=B!-S/7
8720 T$="k"+U$:U$=T$+"z":V$=U$
8730 D=NOT I AND 255 OR 16:E=-I+D\3
8740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8750 A%=S/3:B!=A%*1.5:C#=B!-S/7
8760 T$="k"+U$:U$=T$+"z":V$=U$
8770 D=NOT I AND 255 OR 16:E=-I+D\3
8780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8790 A%=S/3:B!=A%*1.5:C#=B!-S/7
8800 T$="k"+U$:U$=T$+"z":V$=U$
8810 D=NOT I AND 255 OR 16:E=-I+D\3
8820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8830 A%=S/3:B!=A%*1.5:C#=B!-S/7
8840 T$="k"+U$:U$=T$+"z":V$=U$
8850 D=NOT I AND 255 OR 16:E=-I+D\3
8860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8870 A%=S/3:B!=A%*1.5:C#=B!-S/7
8880 T$="k"+U$:U$=T$+"z":V$=U$
8890 D=NOT I AND 255 OR 16:E=-I+D\3
8900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8910 A%=S/3:B!=A%*1.5:C#=B!-S/7
8920 T$="k"+U$:U$=T$+"z":V$=U$
8930 D=NOT I AND 255 OR 16:E=-I+D\3
8940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8950 A%=S/3:B!=A%*1.5:C#=B!-S/7
8960 T$="k"+U$:U$=T$+"z":V$=U$
8970 D=NOT I AND 255 OR 16:E=-I+D\3
8980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
8990 A%=S/3:B!=A%*1.5:C#=B!-S/7
9000 T$="k"+U$:U$=T$+"z":V$=U$
9010 D=NOT I AND 255 OR 16:E=-I+D\3
9020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9030 A%=S/3:B!=A%*1.5:C#=B!-S/7
9040 T$="k"+U$:U$=T$+"z":V$=U$
9050 D=NOT I AND 255 OR 16:E=-I+D\3
9060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9070 A%=S/3:B!=A%*1.5:C#=B!-S/7
9080 T$="k"+U$:U$=T$+"z":V$=U$
9090 D=NOT I AND 255 OR 16:E=-I+D\3
9100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9110 A%=S/3:B!=A%*1.5:C#=B!-S/7
9120 T$="k"+U$:U$=T$+"z":V$=U$
9130 D=NOT I AND 255 OR 16:E=-I+D\3
9140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9150 A%=S/3:B!=A%*1.5:C#=B!-S/7
9160 T$="k"+U$:U$=T$+"z":V$=U$
9170 D=NOT I AND 255 OR 16:E=-I+D\3
9180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9190 A%=S/3:B!=A%*1.5:C#=B!-S/7
9200 T$="k"+U$:U$=T$+"z":V$=U$
9210 D=NOT I AND 255 OR 16:E=-I+D\3
9220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9230 A%=S/3:B!=A%*1.5:C#=B!-S/7
9240 T$="k"+U$:U$=T$+"z":V$=U$
9250 D=NOT I AND 255 OR 16:E=-I+D\3
9260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9270 A%=S/3:B!=A%*1.5:C#=B!-S/7
9280 T$="k"+U$:U$=T$+"z":V$=U$
9290 D=NOT I AND 255 OR 16:E=-I+D\3
9300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9310 A%=S/3:B!=A%*1.5:C#=B!-S/7
9320 T$="k"+U$:U$=T$+"z":V$=U$
9330 D=NOT I AND 255 OR 16:E=-I+D\3
9340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9350 A%=S/3:B!=A%*1.5:C#=B!-S/7
9360 T$="k"+U$:U$=T$+"z":V$=U$
9370 D=NOT I AND 255 OR 16:E=-I+D\3
9380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9390 A%=S/3:B!=A%*1.5:C#=B!-S/7
9400 T$="k"+U$:U$=T$+"z":V$=U$
9410 D=NOT I AND 255 OR 16:E=-I+D\3
9420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9430 A%=S/3:B!=A%*1.5:C#=B!-S/7
9440 T$="k"+U$:U$=T$+"z":V$=U$
9450 D=NOT I AND 255 OR 16:E=-I+D\3
9460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9470 A%=S/3:B!=A%*1.5:C#=B!-S/7
9480 T$="k"+U$:U$=T$+"z":V$=U$
9490 D=NOT I AND 255 OR 16:E=-I+D\3
9500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9510 A%=S/3:B!=A%*1.5:C#=B!-S/7
9520 T$="k"+U$:U$=T$+"z":V$=U$
9530 D=NOT I AND 255 OR 16:E=-I+D\3
9540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9550 A%=S/3:B!=A%*1.5:C#=B!-S/7
9560 T$="k"+U$:U$=T$+"z":V$=U$
9570 D=NOT I AND 255 OR 16:E=-I+D\3
9580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9590 A%=S/3:B!=A%*1.5:C#=B!-S/7
9600 T$="k"+U$:U$=T$+"z":V$=U$
9610 D=NOT I AND 255 OR 16:E=-I+D\3
9620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9630 A%=S/3:B!=A%*1.5:C#=B!-S/7
9640 T$="k"+U$:U$=T$+"z":V$=U$
9650 D=NOT I AND 255 OR 16:E=-I+D\3
9660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9670 A%=S/3:B!=A%*1.5:C#=B!-S/7
9680 T$="k"+U$:U$=T$+"z":V$=U$
9690 D=NOT I AND 255 OR 16:E=-I+D\3
9700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9710 A%=S/3:B!=A%*1.5:C#=B!-S/7
9720 T$="k"+U$:U$=T$+"z":V$=U$
9730 D=NOT I AND 255 OR 16:E=-I+D\3
9740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9750 A%=S/3:B!=A%*1.5:C#=B!-S/7
9760 T$="k"+U$:U$=T$+"z":V$=U$
9770 D=NOT I AND 255 OR 16:E=-I+D\3
9780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9790 A%=S/3:B!=A%*1.5:C#=B!-S/7
9800 T$="k"+U$:U$=T$+"z":V$=U$
9810 D=NOT I AND 255 OR 16:E=-I+D\3
9820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9830 A%=S/3:B!=A%*1.5:C#=B!-S/7
9840 T$="k"+U$:U$=T$+"z":V$=U$
9850 D=NOT I AND 255 OR 16:E=-I+D\3
9860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9870 A%=S/3:B!=A%*1.5:C#=B!-S/7
9880 T$="k"+U$:U$=T$+"z":V$=U$
9890 D=NOT I AND 255 OR 16:E=-I+D\3
9900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9910 A%=S/3:B!=A%*1.5:C#=B!-S/7
9920 T$="k"+U$:U$=T$+"z":V$=U$
9930 D=NOT I AND 255 OR 16:E=-I+D\3
9940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9950 A%=S/3:B!=A%*1.5:C#=B!-S/7
9960 T$="k"+U$:U$=T$+"z":V$=U$
9970 D=NOT I AND 255 OR 16:E=-I+D\3
9980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
9990 A%=S/3:B!=A%*1.5:C#=B!-S/7
10000 T$="k"+U$:U$=T$+"z":V$=U$
10010 D=NOT I AND 255 OR 16:E=-I+D\3
10020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10030 A%=S/3:B!=A%*1.5:C#=B!-S/7
10040 T$="k"+U$:U$=T$+"z":V$=U$
10050 D=NOT I AND 255 OR 16:E=-I+D\3
10060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10070 A%=S/3:B!=A%*1.5:C#=B!-S/7
10080 T$="k"+U$:U$=T$+"z":V$=U$
10090 D=NOT I AND 255 OR 16:E=-I+D\3
10100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10110 A%=S/3:B!=A%*1.5:C#=B!-S/7
10120 T$="k"+U$:U$=T$+"z":V$=U$
10130 D=NOT I AND 255 OR 16:E=-I+D\3
10140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10150 A%=S/3:B!=A%*1.5:C#=B!-S/7
10160 T$="k"+U$:U$=T$+"z":V$=U$
10170 D=NOT I AND 255 OR 16:E=-I+D\3
10180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10190 A%=S/3:B!=A%*1.5:C#=B!-S/7
10200 T$="k"+U$:U$=T$+"z":V$=U$
10210 D=NOT I AND 255 OR 16:E=-I+D\3
10220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10230 A%=S/3:B!=A%*1.5:C#=B!-S/7
10240 T$="k"+U$:U$=T$+"z":V$=U$
10250 D=NOT I AND 255 OR 16:E=-I+D\3
10260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10270 A%=S/3:B!=A%*1.5:C#=B!-S/7
10280 T$="k"+U$:U$=T$+"z":V$=U$
10290 D=NOT I AND 255 OR 16:E=-I+D\3
10300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10310 A%=S/3:B!=A%*1.5:C#=B!-S/7
10320 T$="k"+U$:U$=T$+"z":V$=U$
10330 D=NOT I AND 255 OR 16:E=-I+D\3
10340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10350 A%=S/3:B!=A%*1.5:C#=B!-S/7
10360 T$="k"+U$:U$=T$+"z":V$=U$
10370 D=NOT I AND 255 OR 16:E=-I+D\3
10380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10390 A%=S/3:B!=A%*1.5:C#=B!-S/7
10400 T$="k"+U$:U$=T$+"z":V$=U$
10410 D=NOT I AND 255 OR 16:E=-I+D\3
10420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10430 A%=S/3:B!=A%*1.5:C#=B!-S/7
10440 T$="k"+U$:U$=T$+"z":V$=U$
10450 D=NOT I AND 255 OR 16:E=-I+D\3
10460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10470 A%=S/3:B!=A%*1.5:C#=B!-S/7
10480 T$="k"+U$:U$=T$+"z":V$=U$
10490 D=NOT I AND 255 OR 16:E=-I+D\3
10500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10510 A%=S/3:B!=A%*1.5:C#=B!-S/7
10520 T$="k"+U$:U$=T$+"z":V$=U$
10530 D=NOT I AND 255 OR 16:E=-I+D\3
10540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10550 A%=S/3:B!=A%*1.5:C#=B!-S/7
10560 T$="k"+U$:U$=T$+"z":V$=U$
10570 D=NOT I AND 255 OR 16:E=-I+D\3
10580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10590 A%=S/3:B!=A%*1.5:C#=B!-S/7
10600 T$="k"+U$:U$=T$+"z":V$=U$
10610 D=NOT I AND 255 OR 16:E=-I+D\3
10620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10630 A%=S/3:B!=A%*1.5:C#=B!-S/7
10640 T$="k"+U$:U$=T$+"z":V$=U$
10650 D=NOT I AND 255 OR 16:E=-I+D\3
10660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10670 A%=S/3:B!=A%*1.5:C#=B!-S/7
10680 T$="k"+U$:U$=T$+"z":V$=U$
10690 D=NOT I AND 255 OR 16:E=-I+D\3
10700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10710 A%=S/3:B!=A%*1.5:C#=B!-S/7
10720 T$="k"+U$:U$=T$+"z":V$=U$
10730 D=NOT I AND 255 OR 16:E=-I+D\3
10740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10750 A%=S/3:B!=A%*1.5:C#=B!-S/7
10760 T$="k"+U$:U$=T$+"z":V$=U$
10770 D=NOT I AND 255 OR 16:E=-I+D\3
10780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10790 A%=S/3:B!=A%*1.5:C#=B!-S/7
10800 T$="k"+U$:U$=T$+"z":V$=U$
10810 D=NOT I AND 255 OR 16:E=-I+D\3
10820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10830 A%=S/3:B!=A%*1.5:C#=B!-S/7
10840 T$="k"+U$:U$=T$+"z":V$=U$
10850 D=NOT I AND 255 OR 16:E=-I+D\3
10860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10870 A%=S/3:B!=A%*1.5:C#=B!-S/7
10880 T$="k"+U$:U$=T$+"z":V$=U$
10890 D=NOT I AND 255 OR 16:E=-I+D\3
10900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10910 A%=S/3:B!=A%*1.5:C#=B!-S/7
10920 T$="k"+U$:U$=T$+"z":V$=U$
10930 D=NOT I AND 255 OR 16:E=-I+D\3
10940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10950 A%=S/3:B!=A%*1.5:C#=B!-S/7
10960 T$="k"+U$:U$=T$+"z":V$=U$
10970 D=NOT I AND 255 OR 16:E=-I+D\3
10980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
10990 A%=S/3:B!=A%*1.5:C#=B!-S/7
11000 T$="k"+U$:U$=T$+"z":V$=U$
11010 D=NOT I AND 255 OR 16:E=-I+D\3
11020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11030 A%=S/3:B!=A%*1.5:C#=B!-S/7
11040 T$="k"+U$:U$=T$+"z":V$=U$
11050 D=NOT I AND 255 OR 16:E=-I+D\3
11060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11070 A%=S/3:B!=A%*1.5:C#=B!-S/7
11080 T$="k"+U$:U$=T$+"z":V$=U$
11090 D=NOT I AND 255 OR 16:E=-I+D\3
11100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11110 A%=S/3:B!=A%*1.5:C#=B!-S/7
11120 T$="k"+U$:U$=T$+"z":V$=U$
11130 D=NOT I AND 255 OR 16:E=-I+D\3
11140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11150 A%=S/3:B!=A%*1.5:C#=B!-S/7
11160 T$="k"+U$:U$=T$+"z":V$=U$
11170 D=NOT I AND 255 OR 16:E=-I+D\3
11180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11190 A%=S/3:B!=A%*1.5:C#=B!-S/7
11200 T$="k"+U$:U$=T$+"z":V$=U$
11210 D=NOT I AND 255 OR 16:E=-I+D\3
11220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11230 A%=S/3:B!=A%*1.5:C#=B!-S/7
11240 T$="k"+U$:U$=T$+"z":V$=U$
11250 D=NOT I AND 255 OR 16:E=-I+D\3
11260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11270 A%=S/3:B!=A%*1.5:C#=B!-S/7
11280 T$="k"+U$:U$=T$+"z":V$=U$
11290 D=NOT I AND 255 OR 16:E=-I+D\3
11300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11310 A%=S/3:B!=A%*1.5:C#=B!-S/7
11320 T$="k"+U$:U$=T$+"z":V$=U$
11330 D=NOT I AND 255 OR 16:E=-I+D\3
11340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11350 A%=S/3:B!=A%*1.5:C#=B!-S/7
11360 T$="k"+U$:U$=T$+"z":V$=U$
11370 D=NOT I AND 255 OR 16:E=-I+D\3
11380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11390 A%=S/3:B!=A%*1.5:C#=B!-S/7
11400 T$="k"+U$:U$=T$+"z":V$=U$
11410 D=NOT I AND 255 OR 16:E=-I+D\3
11420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11430 A%=S/3:B!=A%*1.5:C#=B!-S/7
11440 T$="k"+U$:U$=T$+"z":V$=U$
11450 D=NOT I AND 255 OR 16:E=-I+D\3
11460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11470 A%=S/3:B!=A%*1.5:C#=B!-S/7
11480 T$="k"+U$:U$=T$+"z":V$=U$
11490 D=NOT I AND 255 OR 16:E=-I+D\3
11500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11510 A%=S/3:B!=A%*1.5:C#=B!-S/7
11520 T$="k"+U$:U$=T$+"z":V$=U$
11530 D=NOT I AND 255 OR 16:E=-I+D\3
11540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11550 A%=S/3:B!=A%*1.5:C#=B!-S/7
11560 T$="k"+U$:U$=T$+"z":V$=U$
11570 D=NOT I AND 255 OR 16:E=-I+D\3
11580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11590 A%=S/3:B!=A%*1.5:C#=B!-S/7
11600 T$="k"+U$:U$=T$+"z":V$=U$
11610 D=NOT I AND 255 OR 16:E=-I+D\3
11620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11630 A%=S/3:B!=A%*1.5:C#=B!-S/7
11640 T$="k"+U$:U$=T$+"z":V$=U$
11650 D=NOT I AND 255 OR 16:E=-I+D\3
11660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11670 A%=S/3:B!=A%*1.5:C#=B!-S/7
11680 T$="k"+U$:U$=T$+"z":V$=U$
11690 D=NOT I AND 255 OR 16:E=-I+D\3
11700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11710 A%=S/3:B!=A%*1.5:C#=B!-S/7
11720 T$="k"+U$:U$=T$+"z":V$=U$
11730 D=NOT I AND 255 OR 16:E=-I+D\3
11740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11750 A%=S/3:B!=A%*1.5:C#=B!-S/7
11760 T$="k"+U$:U$=T$+"z":V$=U$
11770 D=NOT I AND 255 OR 16:E=-I+D\3
11780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11790 A%=S/3:B!=A%*1.5:C#=B!-S/7
11800 T$="k"+U$:U$=T$+"z":V$=U$
11810 D=NOT I AND 255 OR 16:E=-I+D\3
11820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11830 A%=S/3:B!=A%*1.5:C#=B!-S/7
11840 T$="k"+U$:U$=T$+"z":V$=U$
11850 D=NOT I AND 255 OR 16:E=-I+D\3
11860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11870 A%=S/3:B!=A%*1.5:C#=B!-S/7
11880 T$="k"+U$:U$=T$+"z":V$=U$
11890 D=NOT I AND 255 OR 16:E=-I+D\3
11900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11910 A%=S/3:B!=A%*1.5:C#=B!-S/7
11920 T$="k"+U$:U$=T$+"z":V$=U$
11930 D=NOT I AND 255 OR 16:E=-I+D\3
11940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11950 A%=S/3:B!=A%*1.5:C#=B!-S/7
11960 T$="k"+U$:U$=T$+"z":V$=U$
11970 D=NOT I AND 255 OR 16:E=-I+D\3
11980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
11990 A%=S/3:B!=A%*1.5:C#=B!-S/7
12000 T$="k"+U$:U$=T$+"z":V$=U$
12010 D=NOT I AND 255 OR 16:E=-I+D\3
12020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12030 A%=S/3:B!=A%*1.5:C#=B!-S/7
12040 T$="k"+U$:U$=T$+"z":V$=U$
12050 D=NOT I AND 255 OR 16:E=-I+D\3
12060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12070 A%=S/3:B!=A%*1.5:C#=B!-S/7
12080 T$="k"+U$:U$=T$+"z":V$=U$
12090 D=NOT I AND 255 OR 16:E=-I+D\3
12100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12110 A%=S/3:B!=A%*1.5:C#=B!-S/7
12120 T$="k"+U$:U$=T$+"z":V$=U$
12130 D=NOT I AND 255 OR 16:E=-I+D\3
12140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12150 A%=S/3:B!=A%*1.5:C#=B!-S/7
12160 T$="k"+U$:U$=T$+"z":V$=U$
12170 D=NOT I AND 255 OR 16:E=-I+D\3
12180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12190 A%=S/3:B!=A%*1.5:C#=B!-S/7
12200 T$="k"+U$:U$=T$+"z":V$=U$
12210 D=NOT I AND 255 OR 16:E=-I+D\3
12220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12230 A%=S/3:B!=A%*1.5:C#=B!-S/7
12240 T$="k"+U$:U$=T$+"z":V$=U$
12250 D=NOT I AND 255 OR 16:E=-I+D\3
12260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12270 A%=S/3:B!=A%*1.5:C#=B!-S/7
12280 T$="k"+U$:U$=T$+"z":V$=U$
12290 D=NOT I AND 255 OR 16:E=-I+D\3
12300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12310 A%=S/3:B!=A%*1.5:C#=B!-S/7
12320 T$="k"+U$:U$=T$+"z":V$=U$
12330 D=NOT I AND 255 OR 16:E=-I+D\3
12340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12350 A%=S/3:B!=A%*1.5:C#=B!-S/7
12360 T$="k"+U$:U$=T$+"z":V$=U$
12370 D=NOT I AND 255 OR 16:E=-I+D\3
12380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12390 A%=S/3:B!=A%*1.5:C#=B!-S/7
12400 T$="k"+U$:U$=T$+"z":V$=U$
12410 D=NOT I AND 255 OR 16:E=-I+D\3
12420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12430 A%=S/3:B!=A%*1.5:C#=B!-S/7
12440 T$="k"+U$:U$=T$+"z":V$=U$
12450 D=NOT I AND 255 OR 16:E=-I+D\3
12460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12470 A%=S/3:B!=A%*1.5:C#=B!-S/7
12480 T$="k"+U$:U$=T$+"z":V$=U$
12490 D=NOT I AND 255 OR 16:E=-I+D\3
12500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12510 A%=S/3:B!=A%*1.5:C#=B!-S/7
12520 T$="k"+U$:U$=T$+"z":V$=U$
12530 D=NOT I AND 255 OR 16:E=-I+D\3
12540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12550 A%=S/3:B!=A%*1.5:C#=B!-S/7
12560 T$="k"+U$:U$=T$+"z":V$=U$
12570 D=NOT I AND 255 OR 16:E=-I+D\3
12580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12590 A%=S/3:B!=A%*1.5:C#=B!-S/7
12600 T$="k"+U$:U$=T$+"z":V$=U$
12610 D=NOT I AND 255 OR 16:E=-I+D\3
12620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12630 A%=S/3:B!=A%*1.5:C#=B!-S/7
12640 T$="k"+U$:U$=T$+"z":V$=U$
12650 D=NOT I AND 255 OR 16:E=-I+D\3
12660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12670 A%=S/3:B!=A%*1.5:C#=B!-S/7
12680 T$="k"+U$:U$=T$+"z":V$=U$
12690 D=NOT I AND 255 OR 16:E=-I+D\3
12700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12710 A%=S/3:B!=A%*1.5:C#=B!-S/7
12720 T$="k"+U$:U$=T$+"z":V$=U$
12730 D=NOT I AND 255 OR 16:E=-I+D\3
12740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12750 A%=S/3:B!=A%*1.5:C#=B!-S/7
12760 T$="k"+U$:U$=T$+"z":V$=U$
12770 D=NOT I AND 255 OR 16:E=-I+D\3
12780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12790 A%=S/3:B!=A%*1.5:C#=B!-S/7
12800 T$="k"+U$:U$=T$+"z":V$=U$
12810 D=NOT I AND 255 OR 16:E=-I+D\3
12820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12830 A%=S/3:B!=A%*1.5:C#=B!-S/7
12840 T$="k"+U$:U$=T$+"z":V$=U$
12850 D=NOT I AND 255 OR 16:E=-I+D\3
12860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12870 A%=S/3:B!=A%*1.5:C#=B!-S/7
12880 T$="k"+U$:U$=T$+"z":V$=U$
12890 D=NOT I AND 255 OR 16:E=-I+D\3
12900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12910 A%=S/3:B!=A%*1.5:C#=B!-S/7
12920 T$="k"+U$:U$=T$+"z":V$=U$
12930 D=NOT I AND 255 OR 16:E=-I+D\3
12940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12950 A%=S/3:B!=A%*1.5:C#=B!-S/7
12960 T$="k"+U$:U$=T$+"z":V$=U$
12970 D=NOT I AND 255 OR 16:E=-I+D\3
12980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
12990 A%=S/3:B!=A%*1.5:C#=B!-S/7
13000 T$="k"+U$:U$=T$+"z":V$=U$
13010 D=NOT I AND 255 OR 16:E=-I+D\3
13020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13030 A%=S/3:B!=A%*1.5:C#=B!-S/7
13040 T$="k"+U$:U$=T$+"z":V$=U$
13050 D=NOT I AND 255 OR 16:E=-I+D\3
13060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13070 A%=S/3:B!=A%*1.5:C#=B!-S/7
13080 T$="k"+U$:U$=T$+"z":V$=U$
13090 D=NOT I AND 255 OR 16:E=-I+D\3
13100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13110 A%=S/3:B!=A%*1.5:C#=B!-S/7
13120 T$="k"+U$:U$=T$+"z":V$=U$
13130 D=NOT I AND 255 OR 16:E=-I+D\3
13140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13150 A%=S/3:B!=A%*1.5:C#=B!-S/7
13160 T$="k"+U$:U$=T$+"z":V$=U$
13170 D=NOT I AND 255 OR 16:E=-I+D\3
13180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13190 A%=S/3:B!=A%*1.5:C#=B!-S/7
13200 T$="k"+U$:U$=T$+"z":V$=U$
13210 D=NOT I AND 255 OR 16:E=-I+D\3
13220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13230 A%=S/3:B!=A%*1.5:C#=B!-S/7
13240 T$="k"+U$:U$=T$+"z":V$=U$
13250 D=NOT I AND 255 OR 16:E=-I+D\3
13260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13270 A%=S/3:B!=A%*1.5:C#=B!-S/7
13280 T$="k"+U$:U$=T$+"z":V$=U$
13290 D=NOT I AND 255 OR 16:E=-I+D\3
13300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13310 A%=S/3:B!=A%*1.5:C#=B!-S/7
13320 T$="k"+U$:U$=T$+"z":V$=U$
13330 D=NOT I AND 255 OR 16:E=-I+D\3
13340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13350 A%=S/3:B!=A%*1.5:C#=B!-S/7
13360 T$="k"+U$:U$=T$+"z":V$=U$
13370 D=NOT I AND 255 OR 16:E=-I+D\3
13380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13390 A%=S/3:B!=A%*1.5:C#=B!-S/7
13400 T$="k"+U$:U$=T$+"z":V$=U$
13410 D=NOT I AND 255 OR 16:E=-I+D\3
13420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13430 A%=S/3:B!=A%*1.5:C#=B!-S/7
13440 T$="k"+U$:U$=T$+"z":V$=U$
13450 D=NOT I AND 255 OR 16:E=-I+D\3
13460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13470 A%=S/3:B!=A%*1.5:C#=B!-S/7
13480 T$="k"+U$:U$=T$+"z":V$=U$
13490 D=NOT I AND 255 OR 16:E=-I+D\3
13500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13510 A%=S/3:B!=A%*1.5:C#=B!-S/7
13520 T$="k"+U$:U$=T$+"z":V$=U$
13530 D=NOT I AND 255 OR 16:E=-I+D\3
13540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13550 A%=S/3:B!=A%*1.5:C#=B!-S/7
13560 T$="k"+U$:U$=T$+"z":V$=U$
13570 D=NOT I AND 255 OR 16:E=-I+D\3
13580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13590 A%=S/3:B!=A%*1.5:C#=B!-S/7
13600 T$="k"+U$:U$=T$+"z":V$=U$
13610 D=NOT I AND 255 OR 16:E=-I+D\3
13620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13630 A%=S/3:B!=A%*1.5:C#=B!-S/7
13640 T$="k"+U$:U$=T$+"z":V$=U$
13650 D=NOT I AND 255 OR 16:E=-I+D\3
13660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13670 A%=S/3:B!=A%*1.5:C#=B!-S/7
13680 T$="k"+U$:U$=T$+"z":V$=U$
13690 D=NOT I AND 255 OR 16:E=-I+D\3
13700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13710 A%=S/3:B!=A%*1.5:C#=B!-S/7
13720 T$="k"+U$:U$=T$+"z":V$=U$
13730 D=NOT I AND 255 OR 16:E=-I+D\3
13740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13750 A%=S/3:B!=A%*1.5:C#=B!-S/7
13760 T$="k"+U$:U$=T$+"z":V$=U$
13770 D=NOT I AND 255 OR 16:E=-I+D\3
13780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13790 A%=S/3:B!=A%*1.5:C#=B!-S/7
13800 T$="k"+U$:U$=T$+"z":V$=U$
13810 D=NOT I AND 255 OR 16:E=-I+D\3
13820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13830 A%=S/3:B!=A%*1.5:C#=B!-S/7
13840 T$="k"+U$:U$=T$+"z":V$=U$
13850 D=NOT I AND 255 OR 16:E=-I+D\3
13860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13870 A%=S/3:B!=A%*1.5:C#=B!-S/7
13880 T$="k"+U$:U$=T$+"z":V$=U$
13890 D=NOT I AND 255 OR 16:E=-I+D\3
13900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13910 A%=S/3:B!=A%*1.5:C#=B!-S/7
13920 T$="k"+U$:U$=T$+"z":V$=U$
13930 D=NOT I AND 255 OR 16:E=-I+D\3
13940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13950 A%=S/3:B!=A%*1.5:C#=B!-S/7
13960 T$="k"+U$:U$=T$+"z":V$=U$
13970 D=NOT I AND 255 OR 16:E=-I+D\3
13980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
13990 A%=S/3:B!=A%*1.5:C#=B!-S/7
14000 T$="k"+U$:U$=T$+"z":V$=U$
14010 D=NOT I AND 255 OR 16:E=-I+D\3
14020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14030 A%=S/3:B!=A%*1.5:C#=B!-S/7
14040 T$="k"+U$:U$=T$+"z":V$=U$
14050 D=NOT I AND 255 OR 16:E=-I+D\3
14060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14070 A%=S/3:B!=A%*1.5:C#=B!-S/7
14080 T$="k"+U$:U$=T$+"z":V$=U$
14090 D=NOT I AND 255 OR 16:E=-I+D\3
14100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14110 A%=S/3:B!=A%*1.5:C#=B!-S/7
14120 T$="k"+U$:U$=T$+"z":V$=U$
14130 D=NOT I AND 255 OR 16:E=-I+D\3
14140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14150 A%=S/3:B!=A%*1.5:C#=B!-S/7
14160 T$="k"+U$:U$=T$+"z":V$=U$
14170 D=NOT I AND 255 OR 16:E=-I+D\3
14180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14190 A%=S/3:B!=A%*1.5:C#=B!-S/7
14200 T$="k"+U$:U$=T$+"z":V$=U$
14210 D=NOT I AND 255 OR 16:E=-I+D\3
14220 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14230 A%=S/3:B!=A%*1.5:C#=B!-S/7
14240 T$="k"+U$:U$=T$+"z":V$=U$
14250 D=NOT I AND 255 OR 16:E=-I+D\3
14260 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14270 A%=S/3:B!=A%*1.5:C#=B!-S/7
14280 T$="k"+U$:U$=T$+"z":V$=U$
14290 D=NOT I AND 255 OR 16:E=-I+D\3
14300 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14310 A%=S/3:B!=A%*1.5:C#=B!-S/7
14320 T$="k"+U$:U$=T$+"z":V$=U$
14330 D=NOT I AND 255 OR 16:E=-I+D\3
14340 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14350 A%=S/3:B!=A%*1.5:C#=B!-S/7
14360 T$="k"+U$:U$=T$+"z":V$=U$
14370 D=NOT I AND 255 OR 16:E=-I+D\3
14380 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14390 A%=S/3:B!=A%*1.5:C#=B!-S/7
14400 T$="k"+U$:U$=T$+"z":V$=U$
14410 D=NOT I AND 255 OR 16:E=-I+D\3
14420 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14430 A%=S/3:B!=A%*1.5:C#=B!-S/7
14440 T$="k"+U$:U$=T$+"z":V$=U$
14450 D=NOT I AND 255 OR 16:E=-I+D\3
14460 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14470 A%=S/3:B!=A%*1.5:C#=B!-S/7
14480 T$="k"+U$:U$=T$+"z":V$=U$
14490 D=NOT I AND 255 OR 16:E=-I+D\3
14500 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14510 A%=S/3:B!=A%*1.5:C#=B!-S/7
14520 T$="k"+U$:U$=T$+"z":V$=U$
14530 D=NOT I AND 255 OR 16:E=-I+D\3
14540 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14550 A%=S/3:B!=A%*1.5:C#=B!-S/7
14560 T$="k"+U$:U$=T$+"z":V$=U$
14570 D=NOT I AND 255 OR 16:E=-I+D\3
14580 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14590 A%=S/3:B!=A%*1.5:C#=B!-S/7
14600 T$="k"+U$:U$=T$+"z":V$=U$
14610 D=NOT I AND 255 OR 16:E=-I+D\3
14620 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14630 A%=S/3:B!=A%*1.5:C#=B!-S/7
14640 T$="k"+U$:U$=T$+"z":V$=U$
14650 D=NOT I AND 255 OR 16:E=-I+D\3
14660 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14670 A%=S/3:B!=A%*1.5:C#=B!-S/7
14680 T$="k"+U$:U$=T$+"z":V$=U$
14690 D=NOT I AND 255 OR 16:E=-I+D\3
14700 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14710 A%=S/3:B!=A%*1.5:C#=B!-S/7
14720 T$="k"+U$:U$=T$+"z":V$=U$
14730 D=NOT I AND 255 OR 16:E=-I+D\3
14740 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14750 A%=S/3:B!=A%*1.5:C#=B!-S/7
14760 T$="k"+U$:U$=T$+"z":V$=U$
14770 D=NOT I AND 255 OR 16:E=-I+D\3
14780 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14790 A%=S/3:B!=A%*1.5:C#=B!-S/7
14800 T$="k"+U$:U$=T$+"z":V$=U$
14810 D=NOT I AND 255 OR 16:E=-I+D\3
14820 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14830 A%=S/3:B!=A%*1.5:C#=B!-S/7
14840 T$="k"+U$:U$=T$+"z":V$=U$
14850 D=NOT I AND 255 OR 16:E=-I+D\3
14860 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14870 A%=S/3:B!=A%*1.5:C#=B!-S/7
14880 T$="k"+U$:U$=T$+"z":V$=U$
14890 D=NOT I AND 255 OR 16:E=-I+D\3
14900 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14910 A%=S/3:B!=A%*1.5:C#=B!-S/7
14920 T$="k"+U$:U$=T$+"z":V$=U$
14930 D=NOT I AND 255 OR 16:E=-I+D\3
14940 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14950 A%=S/3:B!=A%*1.5:C#=B!-S/7
14960 T$="k"+U$:U$=T$+"z":V$=U$
14970 D=NOT I AND 255 OR 16:E=-I+D\3
14980 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
14990 A%=S/3:B!=A%*1.5:C#=B!-S/7
15000 T$="k"+U$:U$=T$+"z":V$=U$
15010 D=NOT I AND 255 OR 16:E=-I+D\3
15020 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
15030 A%=S/3:B!=A%*1.5:C#=B!-S/7
15040 T$="k"+U$:U$=T$+"z":V$=U$
15050 D=NOT I AND 255 OR 16:E=-I+D\3
15060 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
15070 A%=S/3:B!=A%*1.5:C#=B!-S/7
15080 T$="k"+U$:U$=T$+"z":V$=U$
15090 D=NOT I AND 255 OR 16:E=-I+D\3
15100 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
15110 A%=S/3:B!=A%*1.5:C#=B!-S/7
15120 T$="k"+U$:U$=T$+"z":V$=U$
15130 D=NOT I AND 255 OR 16:E=-I+D\3
15140 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
15150 A%=S/3:B!=A%*1.5:C#=B!-S/7
15160 T$="k"+U$:U$=T$+"z":V$=U$
15170 D=NOT I AND 255 OR 16:E=-I+D\3
15180 I=I+1:S=S+I*2-I/4:X=(S MOD 7)+I^2
15190 A%=S/3:B!=A%*1.5:C#=B!-S/7
15200 T$="k"+U$:U$=T$+"z":V$=U$
15210 D=NOT I AND 255 OR 16:E=-I+D\3
