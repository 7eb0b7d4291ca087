NAME          BLOCKS
ROWS
 N  COST
 L  CAP_1
 G  DEM1
 L  CAP_2
 G  DEM2
 E  BAL
 L  SPARE
COLUMNS
    X1        COST      1              CAP_1     1000
    X1        DEM1      0.01
    Y1        CAP_1     1              BAL       1e-4
    X2        COST      2              CAP_2     10
    X2        DEM2      1
    Y2        CAP_2     100            DEM2      10
    Y2        BAL       1
    EMPTY     SPARE     0
RHS
    RHS       CAP_1     500            DEM1      0.5
    RHS       BAL       3e7
BOUNDS
 UP BND       X1        40
 FX BND       Y2        2
ENDATA
