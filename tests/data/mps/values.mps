* Only the first RHS and RANGES set counts; ranges keep their sign. Values from 1e20 up are
* clamped only in bounds. Marked integer columns keep the default bounds.
ROWS
 N  COST
 L  LIM1
 G  LIM2
 E  EQ1
 E  EQ2
COLUMNS
    X1  COST  1e21  LIM1  -1e20
    X1  LIM2  9.99e19
    M1  'MARKER'  'INTORG'
    X2  COST  +2.5  LIM1  -.5
    X2  LIM2  1.  EQ1  1E-3
    X2  EQ2  -7e+2
    M2  'MARKER'  'INTEND'
    X3  COST  1
    MARKER  MARKER  INTORG
    X4  COST  1
    MARKER  MARKER  INTEND
RHS
    RHS1  LIM1  1e30  LIM2  -3.4e38
    RHS2  LIM1  99
    RHS1  EQ1  -2.5
RANGES
    RNG1  EQ1  3  EQ2  -3
    RNG2  LIM1  99
    RNG1  LIM1  2e20
BOUNDS
 UP BND  X1  1e300
 LO BND  X1  -1e20
ENDATA
