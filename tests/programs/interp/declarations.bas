10 DEFINT I-K:DEFSNG S:DEFSTR T,U-V
20 I=2.5:J=-2.5:K=7.9:S=1/3:T="text":U="u":V="v"
30 PRINT I;J;K;S;T;U;V
40 ' Suffixes win over the letter lists; letters are matched in any case.
50 I#=2.5:ii=3.6:PRINT I#;ii
60 CLEAR
70 I=2.5:PRINT I
80 DEFint a:a=1.7:PRINT a
