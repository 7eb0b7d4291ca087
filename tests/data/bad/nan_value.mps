NAME          NAN
ROWS
 N  COST
 L  LIM1
COLUMNS
    X1        COST             1.0   LIM1             1.0
    X2        COST             NaN   LIM1             1.0
ENDATA
