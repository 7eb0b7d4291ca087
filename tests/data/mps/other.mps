NAME OTHER
ROWS
 N  profit
 L  limit
COLUMNS
    z  profit  1  limit  2
RHS
    RHS  limit  9
ENDATA
