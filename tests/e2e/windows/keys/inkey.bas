10 ' INKEY$ gives each typed key once: letters and half-width katakana as their byte, the arrows as
20 ' 28 to 31. Alt+Enter is swallowed by the accelerator and gives nothing.
30 K$=INKEY$:IF K$="" THEN 30
40 IF K$="q" THEN END
50 PRINT ASC(K$);:GOTO 30
