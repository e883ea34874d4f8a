10 ' ERASE removes the array and the elements of a name; later variables keep their values.
20 A=1:DIM B(3):B(2)=7:C(4)=8:D=9
30 ERASE B:PRINT B(2);C(4);D
40 DIM B(3):PRINT B(3)
50 ' Elements stored without DIM go too, so DIM is allowed again.
60 ERASE C:DIM C(1):PRINT C(1)
70 ' The scalar of the name goes with the array, whichever was made first.
80 E=5:DIM E(2):E(1)=6:ERASE E:PRINT E;E(1):DIM E(4):PRINT E(4)
90 ' Several names; a name never used is no error.
100 F=1:G(1)=2:ERASE F, G, NEVER:PRINT F;G(1)
110 ' A string element with several subscripts is one name.
120 S$(1,2)="x":S$(2,1)="y":ERASE S$(1,2):PRINT S$(1,2);"|";S$(2,1)
130 T$="t":ERASE T$:PRINT T$;"|";A
