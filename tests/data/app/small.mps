* A small model whose file order differs from name order: row LIM has coefficients of both
* signs, row POS only positive ones and a positive RHS, row ONLY one positive coefficient and
* no RHS, so it lacks a negative entry.
NAME          SMALL
ROWS
 N  COST
 L  LIM
 G  POS
 G  ONLY
COLUMNS
    Y         COST      2          LIM       -1.5
    Y         POS       1
    X         COST      1          LIM       4
    X         POS       3          ONLY      1
RHS
    RHS       LIM       10         POS       2
BOUNDS
 UP BND       X         6
ENDATA
