CREATE TABLE PrSolution (SolutionID INTEGER, SolutionName TEXT, Objective REAL);
INSERT INTO PrSolution VALUES (1, 'base', 10.5);
INSERT INTO PrSolution VALUES (2, 'O''Brien', 2.25);
INSERT INTO PrSolution VALUES (3, NULL, NULL);
