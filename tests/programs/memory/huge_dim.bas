10 ' An array larger than the memory is refused with the run-time's own error, not an abort.
20 DIM S(1000)
30 PRINT "small"
40 DIM A(200000000)
50 PRINT "never"
