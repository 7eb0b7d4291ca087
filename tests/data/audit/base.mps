NAME          AUDITBASE
ROWS
 N  COST
 L  LIM1
 G  DEM
 E  BAL
 L  CAP2
COLUMNS
    x         COST      1          LIM1      1
    x         DEM       1          BAL       1
    y         COST      2          LIM1      1
    y         BAL       -1         CAP2      1
    z         COST      3          DEM       2
    z         CAP2      1
    w         COST      -1         BAL       1
RHS
    RHS       LIM1      10         DEM       4
    RHS       BAL       2          CAP2      8
RANGES
    RNG       BAL       3          CAP2      5
BOUNDS
 UP BND       x         6
 LO BND       y         1
 UP BND       y         7
 UP BND       w         4
ENDATA
