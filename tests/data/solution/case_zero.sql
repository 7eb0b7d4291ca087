-- Records of case 0 under the example's two solutions.
INSERT INTO PrPrimalColumn VALUES (1, 0, 'X01', 1, 0, 0, 'BS');
INSERT INTO PrPrimalColumn VALUES (2, 0, 'X02', 2, 0, 0, 'BS');
INSERT INTO PrPrimalRow VALUES (2, 0, 'R09', 3, 0, 'EQ');
