* Rows for the sign test (ALLPOS, ALLNEG, ZEROCOEF, POSRHS, NEGRHS), rows with nonlinear
* terms (QROW: X and Y in a first term, Y again in a second; QSIGN: only its term is
* negative), and columns with default, upper, fixed, free and minus-infinity bounds.
* The library column order (X, Y, Z, W, V) is not the name order.
NAME          DETAIL
ROWS
 N  OBJ
 L  ALLPOS
 G  ALLNEG
 L  ZEROCOEF
 L  POSRHS
 E  NEGRHS
 L  QROW
 G  QSIGN
COLUMNS
    X         OBJ       1.5        ALLPOS    2
    X         ALLNEG    -1         POSRHS    1
    X         NEGRHS    -1         QROW      3
    X         QSIGN     1
    Y         ALLPOS    0          ALLNEG    -2
    Y         ZEROCOEF  0          POSRHS    4
    Y         QROW      -1
    Z         OBJ       -2         ZEROCOEF  -1
    Z         NEGRHS    -1
    W         OBJ       1          POSRHS    0.5
    V         ALLPOS    1
RHS
    RHS       ALLPOS    -3         POSRHS    5
    RHS       NEGRHS    -2         QROW      4
RANGES
    RNG       POSRHS    2.5
BOUNDS
 UP BND       Y         8
 FX BND       Z         1.5
 FR BND       W
 MI BND       V
 UP BND       V         4
QCMATRIX   QROW
    X         Y         2
    Y         Y         -0.5
QCMATRIX   QSIGN
    Y         Y         -1
ENDATA
