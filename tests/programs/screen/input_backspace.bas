10 ' Backspace removes what was typed, a double-byte character whole, and never the prompt.
20 LINE INPUT A$:PRINT A$;"|";LEN(A$)
