NAME          BIGVAL
ROWS
 N  COST
 L  LIM1
 L  LIM2
COLUMNS
    X1        COST             1.0   LIM1             1.0
    X1        LIM2           4e+38
RHS
    RHS       LIM1             4.0
ENDATA
