* a comment line
NAME          SMALL
ROWS
 N  COST
 L  LIM1

 G  LIM2
 E  MYEQN
 N  SPARE
COLUMNS
    X1        COST         1.0   LIM1         1.0
    X1        LIM2         1.0
	X2	COST	2.0	LIM1	0
    X2        MYEQN       -1.0   SPARE        4.5
    X3        MYEQN        1.0
RHS
    RHS       LIM1         4.0   LIM2         1.0
    RHS       MYEQN        7.0   COST        -3.5
ENDATA
