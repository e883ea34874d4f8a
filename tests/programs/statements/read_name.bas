10 ' A name that cannot be stored is refused before it takes an item.
20 DATA 1,2
30 READ A,1B
