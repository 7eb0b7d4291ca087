# base.mps with x = 7, z = -0.25: rows recompute to COST 8.25, LIM1 10, DEM 6.5, BAL 8, CAP2 2.75
R COST 8.25 0 FR
R LIM1 10.5 0 BS
R DEM 6.5 -2 LL
R BAL 8 0 BS
R CAP2 6 0.5 UL
C x 7 0 1 BS
C y 3 0.3 2 BS
C z -0.25 0 3 BS
C w 4 1 -1 UL
