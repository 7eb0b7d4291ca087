-- The ADO form of each request of the test, in its order; each statement ends in ';' (the
-- doubled and trailing blanks are the form's own).
SELECT `Activity`,`SolutionID` FROM `T` WHERE `SolutionID` = 3;
SELECT `Activity`,`SolutionID`,`RUNID`,`RunDate` FROM `T` WHERE `RUNID` =  'R12'  AND `RunDate` =  '2024-02-29' ;
SELECT `Activity`,`RUNID`,`Activity` FROM `T` WHERE `RUNID` IS NULL  AND `Activity` IS NOT NULL;
SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID` LIKE 'R_!_%' ESCAPE '!';
SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID` =  'a''' ;
