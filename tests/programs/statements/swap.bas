10 A=1.5:B=2.25:SWAP A,B:PRINT A;B
20 A$="first":B$="second":SWAP A$ , B$:PRINT A$;"|";B$
30 A(1)=1:A(2)=2:SWAP A(1),A(2):PRINT A(1);A(2)
40 S$(1,2)="p":S$(2,1)="q":SWAP S$(1,2),S$(2,1):PRINT S$(1,2);S$(2,1)
50 ' Each side is stored for its own type.
60 N%=3:X=2.5:SWAP N%,X:PRINT N%;X
70 ' Large values change places unchanged.
80 C=1E+300:D=2:SWAP C,D:PRINT C;D
90 ' A variable never stored reads 0 or the empty string.
100 E=4:SWAP E,F:PRINT E;F
110 G$="g":SWAP G$,H$:PRINT G$;"|";H$
