-- The rights store's four tables on SQL Server, in the database
-- MARRENTOLBECK that the log-in dialog's connection string names; the
-- login MintaRolk needs select, insert, update and delete on them.
-- Ids come from the database; names stay unique by the store's own checks.
CREATE TABLE Users (
  UserID INT IDENTITY(1,1) PRIMARY KEY,
  UserName NVARCHAR(255) NOT NULL,
  Password NVARCHAR(255),
  Email NVARCHAR(255),
  Comment NVARCHAR(255)
);
CREATE TABLE Models (
  ModelID INT IDENTITY(1,1) PRIMARY KEY,
  ModelName NVARCHAR(255) NOT NULL,
  Comment NVARCHAR(255)
);
-- ModelID 0: added without a module; -1: its module was deleted.
CREATE TABLE FunList (
  FunID INT IDENTITY(1,1) PRIMARY KEY,
  FunName NVARCHAR(255) NOT NULL,
  ModelID INT NOT NULL DEFAULT 0,
  Comment NVARCHAR(255)
);
CREATE TABLE UserModels (
  UserID INT NOT NULL,
  ModelID INT NOT NULL,
  PRIMARY KEY (UserID, ModelID)
);
