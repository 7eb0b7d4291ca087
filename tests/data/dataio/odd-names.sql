-- Names that a statement must carry as names, and codes whose "%" and "_" must match themselves.
CREATE TABLE "Odd]Names" ("Sol Name" VARCHAR(20), "K,K FROM Other --" VARCHAR(20), "Code" VARCHAR(20));
INSERT INTO "Odd]Names" VALUES ('alpha', 'one', '5%off'), ('beta', 'two', '50ff'), ('gamma', 'three', 'a_b!'), ('delta', 'four', 'axb!');
-- A column name with a control character follows in the test: a line cannot hold it.
