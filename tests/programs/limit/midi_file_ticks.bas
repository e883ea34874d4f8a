10 ' A MIDI file's events lie at most 2^36 ticks from its start: one later is refused
20 MCI "open longest.mid alias a"
30 PRINT "opened"
40 MCI "close a"
50 MCI "open too_long.mid alias b"
60 PRINT "never"
