-- A column table lacking the marginal value, cost and status.
DROP TABLE PrPrimalColumn;
CREATE TABLE PrPrimalColumn (SolutionID INTEGER, CaseID INTEGER, ColumnName VARCHAR(16),
    Activity DOUBLE);
INSERT INTO PrPrimalColumn VALUES (2, 1, 'X01', 80);
