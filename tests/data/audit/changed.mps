NAME          AUDITCHANGED
ROWS
 N  COST
 G  LIM1
 G  DEM
 E  BAL
 G  NEW
COLUMNS
    x         COST      1          LIM1      1
    x         DEM       1.5        BAL       1
    x         NEW       1
    y         COST      2          BAL       -1
    z         COST      3          DEM       2
    z         LIM1      4
    v         COST      5          BAL       1
RHS
    RHS       LIM1      10         DEM       5
    RHS       BAL       2
RANGES
    RNG       BAL       2
BOUNDS
 LO BND       y         0.5
 UP BND       y         7
 UP BND       v         4
ENDATA
