10 ' Double-byte string functions: full-width conversion both ways, counts and searches in characters.
20 PRINT AKCNV$("ABC"); AKCNV$("ｶﾞ"); AKCNV$("漢字"); AKCNV$("a"+CHR$(34)+"~ 1"); AKCNV$("ｦﾝﾜｯｬ｡｢｣､･ｰﾟ")
30 PRINT KACNV$("ＡＢＣ"); KACNV$("ガ"); KACNV$("あ"); "["; KACNV$("　"); "]"; KACNV$("漢字")
40 PRINT KACNV$("パピプペポ"); KACNV$("ゎわゐゑをんヴヵヶ"); KACNV$("。「」、・ー゛゜")
50 Q$=KACNV$("”"):PRINT Q$; LEN(Q$); ASC(Q$)
60 X$=AKCNV$(CHR$(1)+CHR$(127)+CHR$(253)):PRINT LEN(X$); ASC(X$); ASC(MID$(X$,3,1)); ASC(RIGHT$(X$,1))
70 PRINT KLEN("あいう"); KLEN(""); KLEN("aあb"); KLEN(CHR$(34)); LEN("あいう")
80 PRINT "[";KMID$("あいうえ",2,2);"][";KMID$("あいうえ",5);"][";KMID$("あいうえ",0);"][";KMID$("aいbえ",2);"]"
90 PRINT KINSTR("あいう","う"); KINSTR(1,"あいう","あ"); KINSTR(3,"あいう",""); KINSTR("あいう","")
100 PRINT KINSTR("aいう","う"); KINSTR(0,"あいう","い"); KINSTR(-3,"あいう",""); KINSTR(4,"あいう","い")
110 PRINT KINSTR("アメイ","メ"); KINSTR("アメイ","イ"); KINSTR("アメ",LEFT$("メ",1)); KINSTR("ab","b")
