10 ' A string result holds at most 8,189 bytes between its quotes; a longer one is cut (the window is large enough to show it).
20 PRINT STRING$(9000,"x")
30 PRINT "-"
