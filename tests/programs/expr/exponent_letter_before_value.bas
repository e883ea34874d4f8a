5 REM A number ending in an exponent letter takes the sign and digits of a value spliced after it
10 K=.5: DIM M(2): M(1)=3
20 A=1E-(K): B=2D+(K)*3: C=1E-M(1)+4
30 PRINT A;B;C
40 END
