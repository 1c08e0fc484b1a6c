-- The rights store's four tables on SQLite (the embedded default database).
-- Ids come from the database; names stay unique by the store's own checks.
CREATE TABLE Users (
  UserID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName VARCHAR(255) NOT NULL,
  Password VARCHAR(255),
  Email VARCHAR(255),
  Comment VARCHAR(255)
);
CREATE TABLE Models (
  ModelID INTEGER PRIMARY KEY AUTOINCREMENT,
  ModelName VARCHAR(255) NOT NULL,
  Comment VARCHAR(255)
);
-- ModelID 0: added without a module; -1: its module was deleted.
CREATE TABLE FunList (
  FunID INTEGER PRIMARY KEY AUTOINCREMENT,
  FunName VARCHAR(255) NOT NULL,
  ModelID INTEGER NOT NULL DEFAULT 0,
  Comment VARCHAR(255)
);
CREATE TABLE UserModels (
  UserID INTEGER NOT NULL,
  ModelID INTEGER NOT NULL,
  PRIMARY KEY (UserID, ModelID)
);
