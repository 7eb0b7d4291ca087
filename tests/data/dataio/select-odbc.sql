-- The ODBC form of each request of the test, in its order; each statement ends in ';'.
SELECT `Activity`,`SolutionID` FROM `T` WHERE `SolutionID`=3;
SELECT `Activity`,`SolutionID`,`RUNID`,`SolutionID` FROM `T` WHERE `RUNID`='R12' AND `SolutionID`=4;
SELECT `Activity`,`SolutionID` FROM `T`;
SELECT `Activity`,`RUNID`,`Activity` FROM `T` WHERE `RUNID` IS NULL AND `Activity` IS NOT NULL;
SELECT `Activity`,`RunDate`,`Price` FROM `T` WHERE `RunDate`={d '2024-02-29'} AND `Price`='12.5';
SELECT `a``b` FROM `T`;
SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID`='x''; DROP TABLE T; --';
