header 1
header 2
header 3
XONE 4
YTWO 0.1
ZTHREE 1.5
NOSUCH 9
