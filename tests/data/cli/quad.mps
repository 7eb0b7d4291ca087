NAME Q
ROWS
 N  OBJ
 L  LIM
COLUMNS
    X  OBJ  1  LIM  1
    Y  LIM  1
QUADOBJ
    X  X  2
    X  Y  1
    Y  Y  4
ENDATA
