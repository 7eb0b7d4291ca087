# base.sol without z's record and with a record of a row the model lacks
R COST 7 0 FR
R LIM1 5 0 BS
R DEM 4 1.5 LL
R BAL 3 0 BS
R CAP2 4 0 BS
R GHOST 1 0 BS
C x 2 0 1 BS
C y 3 0 2 BS
C w 4 -1 -1 UL
