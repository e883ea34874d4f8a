10 ' INKEY$ takes one typed key, or gives the empty string; INPUT$ waits for its keys.
20 A$=INKEY$:B$=INKEY$:PRINT A$;B$;LEN(INKEY$)
30 C$=INPUT$(3):PRINT C$;"|";LEN(C$)
40 PRINT KEYSTATE(65);KeyState(28);POINT(0,0);POINT(-5,99999)
50 D$=INKEY$:PRINT LEN(D$)
