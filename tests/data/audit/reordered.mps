NAME          AUDITREORDERED
ROWS
 L  CAP2
 E  BAL
 N  COST
 G  DEM
 L  LIM1
COLUMNS
    w         BAL       1.0000001  COST      -1
    z         CAP2      1          DEM       2
    z         COST      3.0000002
    y         CAP2      1          BAL       -1
    y         LIM1      1          COST      1.9999999
    x         BAL       1          DEM       1
    x         LIM1      1          COST      1
RHS
    RHS       CAP2      8          BAL       2
    RHS       DEM       4.0000003  LIM1      10
RANGES
    RNG       CAP2      5          BAL       3
BOUNDS
 UP BND       w         4
 UP BND       y         7.0000005
 LO BND       y         1
 UP BND       x         6
ENDATA
