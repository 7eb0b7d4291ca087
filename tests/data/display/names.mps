* Row names in name order: CAT 0, COAT 1, COST 2, COSTS 3, OBJ 4, XCOST1 5, cost 6.
NAME NAMES
ROWS
 N  OBJ
 L  COST
 L  CAT
 L  COSTS
 L  COAT
 L  XCOST1
 L  cost
COLUMNS
    X  OBJ  1  COST  1
    X  CAT  1  COSTS  1
    X  COAT  1  XCOST1  1
    X  cost  1
ENDATA
