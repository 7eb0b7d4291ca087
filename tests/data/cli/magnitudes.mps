* Explicit zeros, the largest magnitude negative and among the first four values, the
* smallest in the last three: seven coefficients in all.
NAME          MAGS
ROWS
 N  obj
 L  r1
 L  r2
COLUMNS
    x         obj       0              r1        -5
    x         r2        0.25
    y         obj       0              r1        0
    y         r2        -1e-3
    z         r1        2e-4
RHS
    rhs       r1        1
ENDATA
