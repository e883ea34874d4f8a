10 ' Channel 0 does not exist
20 CLOSE #0
