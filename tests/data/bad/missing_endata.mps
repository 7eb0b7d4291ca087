NAME          TRUNCATED
ROWS
 N  COST
 L  LIM1
COLUMNS
    X1        COST             1.0   LIM1             1.0
    X2        COST             2.0   LIM1             1.0
RHS
    RHS       LIM1             4.0
