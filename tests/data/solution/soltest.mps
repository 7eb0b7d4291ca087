* Library column order ZCOL, X1, X2, X3, Y differs from name order, so costs placed by
* position show up on the wrong record if the lists were sorted first. OBJ and OBJB are
* objective rows; "obj" and COST are not.
NAME          SOLTEST
ROWS
 N  OBJ
 N  OBJB
 N  obj
 N  COST
 L  LIM1
 G  LIM2
 E  BAL
COLUMNS
    ZCOL      OBJ       1.0       LIM1      1.0
    X1        OBJ       2.0       LIM1      1.0
    X1        OBJB      0.0       LIM2      1.0
    X2        OBJ       3.0       OBJB      5.0
    X2        LIM1      1.0
    X3        obj       9.0       COST      8.0
    X3        BAL       1.0
    Y         LIM2      1.0
RHS
    RHS       LIM1      10.0      LIM2      1.0
BOUNDS
 UP BND       X1        4.0
 FX BND       X3        2.0
 FR BND       Y
ENDATA
