NAME          OBJECTIVE
OBJSENSE
    MAX
ROWS
 N  PROFIT
 L  CAP1
 N  SPARE
COLUMNS
    X1        PROFIT         3.0D0   CAP1           1.5d0
    X2        PROFIT           2.0   CAP1             1.0
RHS
    RHS       PROFIT         -12.5   CAP1            10.0
RANGES
    RNG       PROFIT           4.0   SPARE            1.0
ENDATA
