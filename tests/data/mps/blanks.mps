NAME          BLANKS
ROWS
 N  COST
 L  LIM 1
 E  MY EQ
COLUMNS
    X 1       COST               1.5   LIM 1                2
    X 1       MY EQ               -1
    X2        LIM 1                3
RHS
              LIM 1               10   MY EQ                4
RANGES
    R S       MY EQ               -2
BOUNDS
 UP B D       X 1                  8
 MI B D       X2
ENDATA
