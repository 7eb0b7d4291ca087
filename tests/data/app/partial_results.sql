CREATE TABLE PrSolution (SolutionID INTEGER);
INSERT INTO PrSolution VALUES (1);
CREATE TABLE PrPrimalColumn (SolutionID INTEGER, CaseID INTEGER, ColumnName TEXT,
    Activity REAL, MarginalValue REAL, Cost REAL, Status TEXT);
INSERT INTO PrPrimalColumn VALUES (1, 1, 'X', 0.5, 0, 1, 'Basic');
