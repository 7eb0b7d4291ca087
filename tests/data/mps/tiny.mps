NAME          TINY
ROWS
 N  OBJ
 L  Cap
 G  cap
 E  BAL
COLUMNS
    X1        OBJ       1.0        Cap       0.1
    X1        BAL       2.0
    Y2        cap       -3.5       BAL       0
    FX5       OBJ       7          Cap       1
    FREE      cap       1
RHS
    RHS       Cap       4          BAL       0
    RHS       cap       2
RANGES
    RNG       BAL       3
BOUNDS
 UP BND       Y2        8
 FX BND       FX5       5
 FR BND       FREE
ENDATA
