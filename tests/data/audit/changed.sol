# A solution of changed.mps that moved from base.sol
R COST 9 0 FR
R LIM1 5 0.5 LL
R DEM 4 1.5 LL
R BAL 3 0 BS
R NEW 2 0 BS
C x 2 0 1 BS
C y 3 0 2 LL
C z 1 0 3 BS
C v 1 0 5 BS
