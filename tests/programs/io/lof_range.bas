10 ' LOF evaluates an argument that is no digit; a channel outside 1 to 9 is an access error
20 C=12:PRINT LOF(C)
