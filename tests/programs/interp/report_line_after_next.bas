10 ' NEXT goes back into line 20 without reading its number: a report names line 40.
20 D=1:FOR I=1 TO 3 STEP 1/D
30 D=0
40 NEXT I
