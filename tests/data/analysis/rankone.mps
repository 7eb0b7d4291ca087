NAME          RANKONE
ROWS
 L  R1
 L  R2
 L  R3
COLUMNS
    C1        R1        1              R2        10
    C1        R3        100
    C2        R1        10             R2        100
    C2        R3        1000
    C3        R1        100            R2        1000
    C3        R3        10000
ENDATA
