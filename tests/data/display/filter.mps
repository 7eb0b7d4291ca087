* Rows for the filter's thresholds. In name order: BIG, EMPTY, NEAR, OBJ, OTHER, QROW, RATIO,
* SMALL, TIE. BIG holds 1e7, -1e7 and a value just below 1e7; SMALL 1e-7, -1e-7, an exact 0
* and a value just above 1e-7; RATIO 1, 1e8 and 5 (ratio exactly 1e8); NEAR a ratio just
* below; TIE two columns at its smallest magnitude; EMPTY no coefficient and an RHS of -0;
* QROW, with a nonlinear term, offends every test. Library column order: X, Y, Z, W.
NAME          FILTER
ROWS
 N  OBJ
 L  BIG
 G  OTHER
 E  SMALL
 L  RATIO
 L  NEAR
 L  QROW
 G  TIE
 L  EMPTY
COLUMNS
    X         OBJ       1              BIG       1e7
    X         OTHER     3              SMALL     1e-7
    X         RATIO     1              NEAR      1
    X         QROW      1e9            TIE       2
    Y         BIG       -1e7           OTHER     2e7
    Y         SMALL     0              RATIO     1e8
    Y         NEAR      99999999       TIE       2
    Z         BIG       9999999.999    SMALL     1.0000001e-7
    Z         RATIO     5              NEAR      5
    Z         TIE       4e8
    W         SMALL     -1e-7          QROW      1e-9
    W         TIE       7
RHS
    RHS       BIG       4              OTHER     -2
    RHS       TIE       -0.5           EMPTY     -0
QCMATRIX   QROW
    X         X         1
ENDATA
