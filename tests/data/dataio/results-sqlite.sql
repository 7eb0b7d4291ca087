-- The results tables the solution loaders read (PrSolution, PrCase, PrPrimalColumn,
-- PrPrimalRow) and an older run-id layout (PrRunId, PrPrimalColOld, PrPrimalRowOld, keyed by
-- RUNID text, activities kept as text), with NULLs, dates and booleans.
-- One statement a line.
CREATE TABLE PrSolution (SolutionID INTEGER, CaseID INTEGER, RunName VARCHAR(40), Objective DOUBLE, Note VARCHAR(40), SolvedAt TIMESTAMP, Optimal BIT);
INSERT INTO PrSolution VALUES (1, 1, 'base', 100.5, NULL, '2024-02-29 10:30:00', 1);
INSERT INTO PrSolution VALUES (2, 1, 'high', NULL, 'rerun', '2024-03-01 08:00:00', 0);
INSERT INTO PrSolution VALUES (3, 2, 'O''Brien', 42, '17.25', NULL, 1);
CREATE TABLE PrCase (CaseID INTEGER, CaseName VARCHAR(40));
INSERT INTO PrCase VALUES (1, 'winter');
INSERT INTO PrCase VALUES (2, 'summer');
CREATE TABLE PrPrimalColumn (SolutionID INTEGER, ColumnName VARCHAR(16), Activity DOUBLE, Marginal DOUBLE, Cost DOUBLE, Status INTEGER);
INSERT INTO PrPrimalColumn VALUES (1, 'X1', 1.5, 0, 2, 1);
INSERT INTO PrPrimalColumn VALUES (1, 'X2', 0, -0.25, 3, 2);
INSERT INTO PrPrimalColumn VALUES (3, 'X1', 4, 0, 2, 1);
INSERT INTO PrPrimalColumn VALUES (3, 'X10', 7.25, NULL, 1, 1);
INSERT INTO PrPrimalColumn VALUES (3, 'Y1', 0, 0.5, 0, 3);
CREATE TABLE PrPrimalRow (SolutionID INTEGER, RowName VARCHAR(16), Activity DOUBLE, Marginal DOUBLE, Status INTEGER);
INSERT INTO PrPrimalRow VALUES (1, 'LIM1', 10, 0.5, 1);
INSERT INTO PrPrimalRow VALUES (3, 'LIM1', 12, 0, 1);
INSERT INTO PrPrimalRow VALUES (3, 'LIM2', 3, 1.75, 2);
CREATE TABLE PrRunId (RUNID VARCHAR(12), Description VARCHAR(40), Created DATE);
INSERT INTO PrRunId VALUES ('R12', 'first run', '2023-11-05');
INSERT INTO PrRunId VALUES ('R13', 'second run', '2023-11-06');
INSERT INTO PrRunId VALUES ('S1', NULL, NULL);
CREATE TABLE PrPrimalColOld (RUNID VARCHAR(12), COLNAME VARCHAR(16), ACTIVITY VARCHAR(20), DJ VARCHAR(20));
INSERT INTO PrPrimalColOld VALUES ('R12', 'X1', '12.5', '-3');
INSERT INTO PrPrimalColOld VALUES ('R12', 'X2', '12abc', 'abc');
INSERT INTO PrPrimalColOld VALUES ('R13', 'X1', '7', NULL);
CREATE TABLE PrPrimalRowOld (RUNID VARCHAR(12), ROWNAME VARCHAR(16), ACTIVITY VARCHAR(20), PI VARCHAR(20));
INSERT INTO PrPrimalRowOld VALUES ('R12', 'LIM1', '10', '0.5');
