10 ' Array names begin with a letter.
20 DIM 1B(3)
