-- A solution 3 listed after the example's solution 2, for case 1, its activities one higher.
INSERT INTO PrSolution VALUES (3, 'rerun', -464.7, NULL);
INSERT INTO PrCase VALUES (1, 3, 'Base');
INSERT INTO PrPrimalColumn SELECT 3, CaseID, ColumnName, Activity + 1, MarginalValue, Cost, Status
    FROM PrPrimalColumn WHERE SolutionID = 2;
INSERT INTO PrPrimalRow SELECT 3, CaseID, RowName, Activity, MarginalValue, Status
    FROM PrPrimalRow WHERE SolutionID = 2;
