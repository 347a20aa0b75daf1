-- The planner database: three tables addressed by column position only.
-- scheduler: one appointment per record (day, month name, year, hour,
-- minute, AM/PM, text). clockini: the clock window's settings record
-- (left edge, top edge, size, chime mode). signal: the flags record
-- (column 0 reminder hand-off, column 6 help flag; the rest unused).
CREATE TABLE scheduler (
  sday TEXT, smonth TEXT, syear TEXT, shour TEXT, sminute INTEGER, sampm TEXT, stext TEXT
);
CREATE TABLE clockini (
  cleft INTEGER, ctop REAL, csize TEXT, cchime TEXT
);
CREATE TABLE signal (
  f0 TEXT, f1 TEXT, f2 TEXT, f3 TEXT, f4 TEXT, f5 TEXT, f6 TEXT
);
INSERT INTO signal (f0, f6) VALUES ('F', 'F');
