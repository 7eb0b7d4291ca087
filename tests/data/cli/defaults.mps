NAME DEFAULTS
ROWS
 N  OBJ
 L  LARGE
 G  SMALL
COLUMNS
    A         LARGE     1e7            SMALL     1e-7
    B         LARGE     9999999        SMALL     1.1e-7
    C         OBJ       1
RHS
    RHS       LARGE     12345678.5
ENDATA
