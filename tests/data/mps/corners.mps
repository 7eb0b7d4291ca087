NAME          SMALL
ROWS
 N  COST
 L  LIM1
 N  FREE2
 G  LIM2
 E  EQ1
 E  EQ2
 L  LIM3
COLUMNS
    X1        COST               1.0   LIM1               0.0
    X1        FREE2              3.0   LIM2               1.0
    X2        COST               2.0   EQ1                1.0
    X2        EQ2               -1.0   LIM3               1.5
    X3        LIM1               2.5
RHS
    RHS       COST               5.0   LIM1               4.0
    RHS       EQ1                2.0   EQ2                1.0
    RHS       LIM3               3.0
RANGES
    RNG       EQ1               -1.5   EQ2                0.5
    RNG       LIM2               2.0   LIM3               1.0
BOUNDS
 UP BND       X1                -2.0
 MI BND       X2
 UP BND       X3                1e30
ENDATA
