NAME          TINY
ROWS
 N  OBJ
 L  LIM1
 G  LIM2
 E  MYEQN
COLUMNS
    XONE      OBJ       1.0          LIM1      1.0
    XONE      LIM2      1.0
    YTWO      OBJ       2.0          LIM1      0.1
    YTWO      MYEQN     -1.0
    ZTHREE    OBJ       3.0          MYEQN     1.0
RHS
    RHS       LIM1      4.0          LIM2      1.0
    RHS       MYEQN     7.0
RANGES
    RNG       LIM1      2.5
BOUNDS
 UP BND       XONE      4.0
 FR BND       YTWO
 FX BND       ZTHREE    1.5
ENDATA
