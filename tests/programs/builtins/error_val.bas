10 ' VAL takes only string expressions.
20 PRINT VAL("5")
30 PRINT VAL(5)
